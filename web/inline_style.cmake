# Writes the page PAGE to OUTPUT with its stylesheet STYLE inside it, in place of the link
# to it: the page then draws its first frame without waiting for a second file.
# cmake -DPAGE=... -DSTYLE=... -DOUTPUT=... -P inline_style.cmake
file(READ ${PAGE} page)
file(READ ${STYLE} style)
set(link "<link rel=\"stylesheet\" href=\"style.css\">")
string(FIND "${page}" "${link}" at)
if(at EQUAL -1)
    message(FATAL_ERROR "${PAGE} has no ${link}")
endif()
string(REPLACE "${link}" "<style>\n${style}</style>" page "${page}")
file(WRITE ${OUTPUT} "${page}")
