# Writes a C++ source defining IconFileBytes() over the bytes of INPUT, into OUTPUT.
file(READ "${INPUT}" hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
file(WRITE "${OUTPUT}.tmp"
    "// Generated from ${INPUT} by app/embed_file.cmake; do not edit.\n"
    "#include \"icon_data.h\"\n\n"
    "namespace {\nconst std::uint8_t BYTES[] = {${bytes}};\n}\n\n"
    "std::span<const std::uint8_t> IconFileBytes() { return BYTES; }\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
