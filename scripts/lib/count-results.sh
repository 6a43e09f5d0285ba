# Counts the results of one ctest run. A test program that writes GoogleTest
# XML counts with its test cases; any other ctest test counts as one. The
# shared test-session fixtures count only when they fail.
#
#   velmoran_count_results BUILD_DIR   prints "PASSED FAILED" and lists failures on stderr

velmoran_count_results() {
    local build_dir=$1
    local junit=$build_dir/ctest-junit.xml
    local results=$build_dir/test-results
    local passed=0 failed=0
    if [ ! -f "$junit" ]; then
        echo "no test results in $build_dir" >&2
        echo "0 1"
        return
    fi
    local name status gtest_total gtest_failed xml
    # One "name status" line per ctest test; status is run or anything else.
    while read -r name status; do
        xml=$results/$name.xml
        if [ -f "$xml" ]; then
            # Totals from the root element: tests="N" failures="F" errors="E".
            read -r gtest_total gtest_failed < <(
                sed -n '/<testsuites/{
                    s/.* tests="\([0-9]*\)".* failures="\([0-9]*\)".* errors="\([0-9]*\)".*/\1 \2 \3/p
                    q
                }' "$xml" | awk '{print $1, $2 + $3}')
            gtest_total=${gtest_total:-0}
            gtest_failed=${gtest_failed:-0}
            passed=$((passed + gtest_total - gtest_failed))
            failed=$((failed + gtest_failed))
            if [ "$status" != run ] && [ "$gtest_failed" -eq 0 ]; then
                # The program failed outside its test cases (a crash on exit, a timeout).
                failed=$((failed + 1))
                echo "FAILED: $name (after its test cases)" >&2
            fi
            grep -o '<testcase name="[^"]*"[^>]*>[[:space:]]*<failure' "$xml" 2>/dev/null |
                sed 's/<testcase name="\([^"]*\)".*classname="\([^"]*\)".*/FAILED: \2.\1/' >&2
        elif [ "$status" = run ]; then
            case $name in wine_session_*) ;; *) passed=$((passed + 1)) ;; esac
        else
            failed=$((failed + 1))
            echo "FAILED: $name" >&2
        fi
    done < <(awk '
        /<testcase / {
            if (name != "") print name, status
            match($0, /name="[^"]*"/); name = substr($0, RSTART + 6, RLENGTH - 7)
            match($0, /status="[^"]*"/); status = substr($0, RSTART + 8, RLENGTH - 9)
        }
        /<failure/ { status = "fail" }
        END { if (name != "") print name, status }
    ' "$junit")
    echo "$passed $failed"
}
