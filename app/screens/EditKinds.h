#pragma once

#include <string>

// The edit kinds of a page screen: the thousands digit of an edit's tag.
namespace EditKinds {

enum Kind { None = 0, Text = 1, WholeAmount = 2, Percentage = 3, Amount = 4, Count = 5 };

int KindOf(int tag);
int AnswerIndexOf(int tag);

// On the listing pages an amount of 0 shows as an empty edit.
bool IsListingPage(int pageType);

// The text an edit of this kind shows for an answer; false when the edit's
// text stays as it is.
bool AnswerToText(int kind, int pageType, const std::string &answer, std::string &text);
// The reformat applied when the user leaves the edit; false when none applies.
bool ReformatOnExit(int kind, const std::string &text, std::string &reformatted);
// The answer an edit of this kind stores; false when it stores nothing.
bool TextToAnswer(int kind, const std::string &text, std::string &answer);

// The shortest decimal text of a number, never in exponent form.
std::string ShortestDecimal(double value);

} // namespace EditKinds
