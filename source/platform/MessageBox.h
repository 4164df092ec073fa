// Message boxes with an OK button: error reports and notices to the player.
#pragma once

#include <string>
#include <vector>

struct MessageBox_Record
{
    std::string caption;
    std::string text;
};

class MessageBox final
{
public:
    // Prints the box to stderr, then shows it when a display exists and boxes are not only
    // recorded. Returns 1, the OK button, as every box has only that one.
    static int Show(char const* text, char const* caption);

    // Makes Error::Report show its errors in a box. The window does this when it opens.
    static void Register();

    // A real box blocks until it is clicked, so tests keep every box in a list instead.
    static void SetRecordOnly(bool recordOnly);
    static std::vector<MessageBox_Record> const& Recorded();
    static void ClearRecorded();
};
