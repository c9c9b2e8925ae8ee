// Writes the program's icon file. Regenerate after changing the drawing:
//   wine build/tests/app/gen_app_icon.exe app/QuillmereRTA.ico
// AppResourcesTest checks that the committed icon is current.
#include "AppIconDrawing.h"
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: gen_app_icon <file.ico>\n");
        return 2;
    }
    const std::vector<uint8_t> file = BuildAppIconFile();
    FILE* out = std::fopen(argv[1], "wb");
    if (!out)
        return 1;
    const bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
    return std::fclose(out) == 0 && written ? 0 : 1;
}
