// Reading the input script, queueing its keys and writing its screenshots.
#include "shell/InputScript.h"

#include "platform/GameWindow.h"
#include "util/DataFile.h"
#include "util/Error.h"

#include <GL/gl.h>
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

InputScript::InputScript(char const* file)
{
    std::ifstream in(file);
    if (!in)
        throw Error(Error_OpenFile, file);
    std::string line;
    while (std::getline(in, line))
    {
        std::istringstream words(line);
        Entry entry;
        std::string kind;
        if (!(words >> entry.step))
            continue; // blank lines and comments
        words >> kind;
        if (kind == "key")
        {
            std::string vk;
            std::string dir;
            words >> vk >> dir;
            entry.vk = static_cast<unsigned>(std::strtoul(vk.c_str(), nullptr, 0));
            if (dir != "down" && dir != "up")
                throw Error(Error_ParseFile, file);
            entry.kind = dir == "down" ? Kind_KeyDown : Kind_KeyUp;
        }
        else if (kind == "close")
        {
            entry.kind = Kind_Close;
        }
        else if (kind == "shot" && (words >> entry.file))
        {
            entry.kind = Kind_Shot;
        }
        else
        {
            throw Error(Error_ParseFile, file);
        }
        entries.push_back(entry);
    }
}

InputScript* InputScript::FromEnvironment()
{
    char const* file = std::getenv("HM_INPUT_SCRIPT");
    if (!file || !*file)
        return nullptr;
    return new InputScript(file);
}

void InputScript::AfterStep(int step)
{
    for (Entry& entry : entries)
    {
        if (entry.done || entry.step != step || entry.kind == Kind_Shot)
            continue;
        entry.done = true;
        if (entry.kind == Kind_Close)
            GameWindow::PushClose();
        else
            GameWindow::PushKey(entry.vk, entry.kind == Kind_KeyDown);
    }
}

void InputScript::BeforeSwap(int step)
{
    for (Entry& entry : entries)
    {
        if (entry.done || entry.kind != Kind_Shot || entry.step > step)
            continue;
        entry.done = true;
        if (!WriteShot(entry.file.c_str()))
            std::fprintf(stderr, "cannot write the screenshot %s\n", entry.file.c_str());
    }
}

bool InputScript::WriteShot(char const* file)
{
    // The viewport covers the game's picture on the window.
    GLint view[4] = {};
    glGetIntegerv(GL_VIEWPORT, view);
    int const width = view[2];
    int const height = view[3];
    if (width <= 0 || height <= 0)
        return false;
    std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(view[0], view[1], width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());

    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGB;
    // GL rows run from the bottom: a negative stride writes them top first.
    int const stride = -width * 3;
    return png_image_write_to_file(&image, file, 0, pixels.data(), stride, nullptr) != 0;
}
