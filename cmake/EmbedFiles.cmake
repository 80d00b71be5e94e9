# Writes a C++ source that holds files as byte arrays, each returned by a
# function of namespace pebblerun as a std::string_view. Run as a script:
#   cmake -DOUTPUT=out.cpp -DHEADER=sim/x.h -DFUNCTIONS="A;B" -DFILES="a;b" -P EmbedFiles.cmake
# The bytes are hex, so any content (quotes, NULs, CRs) comes through as is.
set(text "// Made by the build (cmake/EmbedFiles.cmake); edit the files named below instead.\n")
string(APPEND text "#include \"${HEADER}\"\n\nnamespace pebblerun {\n")
list(LENGTH FUNCTIONS count)
math(EXPR last "${count} - 1")
foreach(i RANGE ${last})
  list(GET FUNCTIONS ${i} function)
  list(GET FILES ${i} file)
  file(READ ${file} hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR size "${digits} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
  get_filename_component(shown ${file} NAME)
  string(APPEND text "\n// ${shown}\nstd::string_view ${function}() {\n"
         "  static constexpr char kBytes[${size} + 1] = {${bytes}'\\0'};\n"
         "  return std::string_view(kBytes, ${size});\n}\n")
endforeach()
string(APPEND text "\n}  // namespace pebblerun\n")
file(WRITE ${OUTPUT}.new "${text}")
file(COPY_FILE ${OUTPUT}.new ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.new)
