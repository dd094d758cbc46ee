// Writes the help document to the file named on the command line (resources/about.rtf).
#include <cstdio>
#include <fstream>
#include <string>

#include "about/about_document.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_about_rtf OUTPUT\n");
        return 2;
    }
    const std::string document = BuildAboutDocument();
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(document.data(), static_cast<std::streamsize>(document.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "make_about_rtf: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
