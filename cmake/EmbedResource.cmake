# Turns a binary file into a C++ source that defines `const unsigned char SYMBOL[]` and
# `const std::size_t SYMBOL_size` in namespace kq70::resources. The file is read when the
# project is configured, and a change to it configures again.
function(kq70_embed_resource output input symbol)
  file(READ "${input}" hex HEX)
  string(LENGTH "${hex}" hex_length)
  math(EXPR size "${hex_length} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  set(text "// Made from ${input} when the project was configured; do not edit.\n")
  string(APPEND text "#include <cstddef>\nnamespace kq70::resources {\n")
  string(APPEND text "extern const unsigned char ${symbol}[];\nextern const std::size_t ${symbol}_size;\n")
  string(APPEND text "const unsigned char ${symbol}[] = {${bytes}};\n")
  string(APPEND text "const std::size_t ${symbol}_size = ${size};\n}\n")
  file(WRITE "${output}.tmp" "${text}")
  file(COPY_FILE "${output}.tmp" "${output}" ONLY_IF_DIFFERENT)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${input}")
endfunction()
