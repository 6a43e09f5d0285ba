#pragma once

// The hand-off folder of the user the tests run as, as both programs derive
// it (ANSI: the test account's name is plain ASCII).

#include <string>

namespace velmoran_test {

std::string HandoffFolderPath();
// The folder's VelmoranN.bmp.
std::string HandoffPath(int index);

} // namespace velmoran_test
