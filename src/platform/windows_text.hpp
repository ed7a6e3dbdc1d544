// UTF-8 and the UTF-16 of Windows' wide calls, for the Windows files of the platform layer only.
#pragma once

#include <string>
#include <string_view>

namespace vormelda::windows {

std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);

}  // namespace vormelda::windows
