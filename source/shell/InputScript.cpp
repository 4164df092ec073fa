// Reading the input script, queueing its keys and writing its screenshots.
#include "shell/InputScript.h"

#include "platform/GameWindow.h"
#include "platform/KeyCodes.h"
#include "util/DataFile.h"
#include "util/Error.h"

#include <GL/gl.h>
#include <png.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

namespace
{

// A refusal naming the script and the line, as "script: line 12: what".
[[noreturn]] void Refuse(char const* file, int lineNumber, std::string const& what)
{
    std::string const text = std::string(file) + ": line " + std::to_string(lineNumber) + ": " + what;
    throw Error(Error_ParseFile, text.c_str());
}

// Whether a word starts as a number does: a digit, or a sign and a digit.
bool LooksNumeric(std::string const& word)
{
    std::size_t const first = word[0] == '-' || word[0] == '+' ? 1 : 0;
    return first < word.size() && std::isdigit(static_cast<unsigned char>(word[first]));
}

// The whole word as an unsigned number: hex after 0x, else decimal (a leading zero too); false
// when any of it is not, or it passes limit.
bool ReadNumber(std::string const& word, unsigned long limit, unsigned long* value)
{
    if (word.empty() || !std::isdigit(static_cast<unsigned char>(word[0])))
        return false;
    bool const hex = word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X');
    errno = 0;
    char* end = nullptr;
    unsigned long const read = std::strtoul(word.c_str(), &end, hex ? 16 : 10);
    if (errno != 0 || *end != '\0' || read > limit)
        return false;
    *value = read;
    return true;
}

} // namespace

InputScript::InputScript(char const* file)
{
    // A folder opens as a file that reads as empty.
    std::error_code failed;
    if (std::filesystem::is_directory(file, failed))
        throw Error(Error_OpenFile, (std::string(file) + ": a folder, not a script").c_str());
    std::vector<unsigned char> bytes;
    if (!HM_ReadWhole(file, DataFile_ScriptLimit, &bytes))
        throw Error(Error_OpenFile, file);
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line))
    {
        lineNumber++;
        std::istringstream words(line);
        std::string step;
        // Blank lines and lines of words are comments; a line that starts with a number is input.
        if (!(words >> step) || !LooksNumeric(step))
            continue;
        Entry entry;
        unsigned long value = 0;
        if (!ReadNumber(step, std::numeric_limits<int>::max(), &value))
            Refuse(file, lineNumber,
                   "the step \"" + step + "\" is not a number from 0 to "
                       + std::to_string(std::numeric_limits<int>::max()));
        entry.step = static_cast<int>(value);
        std::string kind;
        words >> kind;
        if (kind == "key")
        {
            std::string vk;
            std::string dir;
            words >> vk >> dir;
            // Pushed as a key the window system does not have, the code would stop the game.
            if (!ReadNumber(vk, 0xFFFF, &value) || HM_VirtualKeyToScancode(static_cast<unsigned>(value)) < 0)
                Refuse(file, lineNumber, "\"" + vk + "\" is not the code of a key the game knows");
            entry.vk = static_cast<unsigned>(value);
            if (dir != "down" && dir != "up")
                Refuse(file, lineNumber, "a key goes \"down\" or \"up\"");
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
            Refuse(file, lineNumber, "expected \"key VK down|up\", \"close\" or \"shot FILE\"");
        }
        entries.push_back(entry);
    }
    // Without a command the run would never end; a script of comments alone is most likely not
    // the file that was meant.
    if (entries.empty())
        throw Error(Error_ParseFile,
                    (std::string(file) + ": no line \"STEP key VK down|up\", \"STEP close\" or \"STEP shot FILE\"")
                        .c_str());
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

std::vector<int> InputScript::InputSteps() const
{
    std::vector<int> steps;
    for (Entry const& entry : entries)
        if (entry.kind != Kind_Shot)
            steps.push_back(entry.step);
    return steps;
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
    std::vector<unsigned char> png(PNG_IMAGE_PNG_SIZE_MAX(image));
    png_alloc_size_t size = png.size();
    if (png_image_write_to_memory(&image, png.data(), &size, 0, pixels.data(), stride, nullptr) == 0)
        return false;
    // Written as the game's own files are: a link planted at the name is replaced, never written
    // through, and a picture cut short never stands under it.
    return HM_WriteWhole(file, png.data(), size);
}
