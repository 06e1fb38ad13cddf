# Writes the page PAGE to OUTPUT with its stylesheet STYLE and the clock's script CLOCK inside
# it, in place of the links to them: the page then draws its first frame without waiting for
# other files, and the clock's Worker is made from the same script the runtime carries.
# cmake -DPAGE=... -DSTYLE=... -DCLOCK=... -DOUTPUT=... -P inline_page.cmake
file(READ ${PAGE} page)
foreach(part "STYLE;<link rel=\"stylesheet\" href=\"style.css\">;style"
             "CLOCK;<script src=\"clock_source.js\"></script>;script")
    list(GET part 0 file)
    list(GET part 1 link)
    list(GET part 2 tag)
    string(FIND "${page}" "${link}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "${PAGE} has no ${link}")
    endif()
    file(READ ${${file}} text)
    string(REPLACE "${link}" "<${tag}>\n${text}</${tag}>" page "${page}")
endforeach()
file(WRITE ${OUTPUT} "${page}")
