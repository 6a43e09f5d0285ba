# Writes OUTPUT, a C++ file holding the two bolt pictures' bytes:
#   cmake -DVIOLET=... -DYELLOW=... -DOUTPUT=... -P embed_bolts.cmake
function(velmoran_embed name file out)
    file(READ ${file} hex HEX)
    string(LENGTH "${hex}" digits)
    math(EXPR size "${digits} / 2")
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    set(${out} "extern const std::uint8_t ${name}[] = {${bytes}};\nextern const std::size_t ${name}Size = ${size};\n" PARENT_SCOPE)
endfunction()
velmoran_embed(kBoltViolet ${VIOLET} violet)
velmoran_embed(kBoltYellow ${YELLOW} yellow)
file(WRITE ${OUTPUT} "// Generated from resources/; do not edit.\n#include <cstddef>\n#include <cstdint>\n${violet}${yellow}")
