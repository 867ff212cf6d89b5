// The script's line grammar: the writer's pieces, in the order and grouping
// the recorder appends them, and the reader's lines, fields and numbers.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/text.h"

namespace qm {

// Writer: each piece is one append to the script box.
Text HorizontalPiece(std::string_view x);   // "水平：" x "；"
Text VerticalPiece(std::string_view y);     // "垂直：" y "；"
Text ActionPiece(std::string_view action);  // action field "；"
Text DoubleClickPiece();                    // "鼠标：鼠标左键双击" CR LF
Text DelayPiece(std::string_view delay);    // "延时：" delay CR LF

// Reader. Results view the argument, which must outlive them.
std::vector<std::string_view> ScriptLines(std::string_view script);  // trimmed, split at CR LF
std::vector<std::string_view> LineFields(std::string_view line);     // split at "；"
std::int32_t FieldNumber(std::string_view field);                    // drops 6 bytes, TextToInt

}  // namespace qm
