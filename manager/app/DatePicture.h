// The locale's date and time pictures ("dd/MM/yyyy", "h:mm tt") turned into
// the format codes of the date-time formatting (DateTimeText.h).
#pragma once

#include <string>

// Splits the picture into runs of delimiters (" -/,.:") and runs of other
// characters; a run that is a picture token becomes its code, any other run
// stays as it is. "ddd" is the abbreviated day name. A '%' of the picture
// stays a '%' in the text.
std::wstring ConvertDatePicture(const std::wstring& picture);
