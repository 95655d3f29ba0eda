#include "tools/playclient/command_text.h"

std::string_view CommandText(std::string_view typed)
{
    // Text ends at a NUL, as the mapper's messages do.
    typed = typed.substr(0, typed.find('\0'));
    while (!typed.empty() && (typed.back() == '\r' || typed.back() == '\n'))
        typed.remove_suffix(1);
    return typed;
}

std::string GameBytes(std::string_view command)
{
    std::string out;
    out.reserve(command.size() + 2);
    for (char c : CommandText(command)) {
        // An embedded line end would send a second command.
        if (c == '\r' || c == '\n')
            c = ' ';
        out += c;
        if (static_cast<unsigned char>(c) == 255)
            out += c;
    }
    out += "\r\n";
    return out;
}
