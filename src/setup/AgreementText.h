#pragma once
#include <string>

namespace sektra {

// The agreement shown before installing: a short description of the product and its terms of
// use, with CR LF line ends as a multi-line edit control needs them. At most 8191 characters.
std::wstring AgreementText();

}  // namespace sektra
