// Build-time tool: writes the program's resource script from its resource tables.
//   rcgen <output.rc> <icon file>...   (one icon file for each icon of the tables, in order)
#include "rc_writer.h"

#include "app/drill_resources.h"

#include <fstream>
#include <iostream>
#include <sstream>
#include <vector>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: rcgen <output.rc> <icon file>...\n";
        return 2;
    }
    const std::vector<std::string> icons(argv + 2, argv + argc);
    if (icons.size() != g_drillResources.icons.size()) {
        std::cerr << "rcgen: the tables have " << g_drillResources.icons.size() << " icons, " << icons.size()
                  << " files were given\n";
        return 2;
    }
    std::ostringstream script;
    WriteResourceScript(script, g_drillResources, icons);
    std::ofstream out(argv[1], std::ios::binary);
    out << script.str();
    if (!out.flush()) {
        std::cerr << "rcgen: cannot write " << argv[1] << '\n';
        return 1;
    }
    return 0;
}
