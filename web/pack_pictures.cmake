# Packs every .bmp of the working folder into one gzip-compressed tar file OUTPUT, so the
# page fetches the pictures in one request. Run in the pictures' folder:
# cmake -DOUTPUT=... -P pack_pictures.cmake
file(GLOB names RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*.bmp)
list(SORT names)
file(ARCHIVE_CREATE OUTPUT ${OUTPUT} PATHS ${names} FORMAT gnutar COMPRESSION GZip COMPRESSION_LEVEL 9
     MTIME 0)
