# Writes text files joined into one that Windows programs read as they
# should: a UTF-8 byte order mark (Notepad then shows the non-ASCII text
# right on every system) and CR LF line ends.
#
#   cmake -DOUTPUT=FILE "-DINPUTS=A;B" -P text_for_windows.cmake
set(text "")
foreach(input IN LISTS INPUTS)
    file(READ ${input} part)
    string(APPEND text "${part}")
endforeach()
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
string(ASCII 239 187 191 bom)
file(WRITE ${OUTPUT} "${bom}${text}")
