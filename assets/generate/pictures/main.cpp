// Draws the built-in pictures into the folder given as the one argument.
#include <iostream>
#include <string>

#include "CanvasPattern.h"
#include "CardTemplates.h"
#include "DefaultAvatar.h"
#include "WindowIcon.h"

int main(int argc, char** argv) {
    using namespace pictures_gen;
    if (argc != 2) {
        std::cerr << "usage: make_pictures OUTDIR\n";
        return 2;
    }
    const std::string dir = argv[1];
    bool ok = true;
    for (int n = 1; n <= 4; ++n) {
        ok = writeFile(dir + "/template" + std::to_string(n) + ".gif", cardTemplateGif(n)) && ok;
    }
    ok = writeFile(dir + "/default_avatar.gif", defaultAvatarGif()) && ok;
    ok = writeCanvasPattern(dir + "/canvas.jpg") && ok;
    ok = writeFile(dir + "/window.ico", windowIconFile()) && ok;
    if (!ok) {
        std::cerr << "make_pictures: cannot write into " << dir << "\n";
        return 1;
    }
    return 0;
}
