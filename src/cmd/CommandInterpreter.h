#pragma once

#include <istream>
#include <string>

// The command language of demo scripts and the recorder's RUN line. A line
// names its command with its first word; the matching message goes straight
// to the MsgCenter, so an interpreted edit is performed but never recorded.
class CommandInterpreter {
public:
    // `rest` holds the line after `firstWord`. False when the first word, or
    // the second word of a two-word command, is unknown; then nothing is sent.
    // Arguments that are missing or malformed keep their defaults, except that
    // "center" and "zoom" then send nothing. Besides the words of the recorded
    // commands, "fill soil|road|wall|balk" (a rectangle), "place" (a building,
    // without road planning), "rename" and "recolor" (a building record, of
    // which x, y and the new name or colour count) replay the edits that a
    // recording writes with "##" names; "##" words stay unknown.
    static bool Interpret(const std::string& firstWord, std::istream& rest);
};
