// The error captions and the reporting of errors.
#include "util/Error.h"

#include <cstdio>
#include <cstring>

char const* const Errors[Error_Count] = {
    "",
    "Out of Memory",
    "Direct sound failure",
    "Quick time failure",
    "OS error",
    "Agl couldn't be initialised",
    "Polygon invalid",
    "Couldn't open file",
    "Couldn't parse file",
    "Png read failure",
    "Png type unsupported",
    "Couldn't calculate line equation",
};

namespace
{
Error_Reporter currentReporter = nullptr;
}

Error::Error() : code(Error_OutOfMemory), osError(0), text{}
{
}

Error::Error(Error_Code errCode) : code(errCode), osError(0), text{}
{
}

Error::Error(Error_Code errCode, char const* message) : code(errCode), osError(0), text{}
{
    SetText(message);
}

Error::Error(char const* message, std::int32_t osErr) : code(Error_OS), osError(osErr), text{}
{
    SetText(message);
}

void Error::SetText(char const* message)
{
    // Paths can come from data files: never trust their length.
    if (message == nullptr)
    {
        text[0] = '\0';
        return;
    }
    std::size_t n = strnlen(message, TextSize - 1);
    std::memcpy(text, message, n);
    text[n] = '\0';
}

void Error::Caption(char* out, int outSize) const
{
    if (out == nullptr || outSize <= 0)
        return;
    char const* caption = (code >= 0 && code < Error_Count) ? Errors[code] : "";
    if (code == Error_OS)
        std::snprintf(out, outSize, "%s - %d", caption, static_cast<int>(osError));
    else
        std::snprintf(out, outSize, "%s", caption);
}

int Error::Report() const
{
    char caption[TextSize];
    Caption(caption, sizeof caption);
    std::fprintf(stderr, "%s: %s\n", caption, text);
    std::fflush(stderr);
    if (currentReporter != nullptr)
        return currentReporter(caption, text);
    return 1;
}

void Error::SetReporter(Error_Reporter reporter)
{
    currentReporter = reporter;
}
