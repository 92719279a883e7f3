// The values of a scene file's keys: trimmed comma-separated fields, whole numbers in a
// bounded range and x,y points, each with the message a scene reader gives for a bad one.
#pragma once

#include <string>
#include <vector>

#include "load_screen_document.h"

std::string Lower(std::string text);
// The fields between commas, blanks around each trimmed; one field for a value without one.
std::vector<std::string> SplitFields(const std::string& value);

enum class Number { kOk, kMalformed, kOutOfRange };

// A whole number of at most nine digits' worth either way: enough for any position, and
// far from overflowing the arithmetic that moves things around. `out` is kept unless kOk.
Number ParseInt(const std::string& text, int& out);
// Why a field is not a number, or empty: "'x' is not a number", "99999999999 is out of range ...".
std::string NumberProblem(const std::string& text, int& out);
// "" for a good "x,y", otherwise why it is not.
std::string PointProblem(const std::string& text, Point& out);
