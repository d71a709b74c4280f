#pragma once
// The common error box: the text of an error code from the error table,
// captioned with the program's title, with an OK button. A code the table
// does not hold shows nothing.

namespace zeph {

class Asker;

void ShowError(Asker& asker, int code);

}  // namespace zeph
