# Writes INPUT gzip-compressed to OUTPUT (cmake -DINPUT=... -DOUTPUT=... -P gzip_file.cmake).
file(ARCHIVE_CREATE OUTPUT ${OUTPUT} PATHS ${INPUT} FORMAT raw COMPRESSION GZip COMPRESSION_LEVEL 9)
