#pragma once

#include "queue/Comments.h"

#include <QString>

namespace decant {

// "3 of 12" from TRACKNUMBER and TRACKTOTAL; just "3" when the total is
// smaller than the number (an absent total counts as 0).
QString trackNumberText(const CommentsDictionary& comments);

} // namespace decant
