#pragma once
// Screenshots for looking at the window without a display: with the environment variable
// QL_SCREENSHOT set to a file name, the window is grabbed into that PNG once its grid has been
// painted, and the program then closes the window (which runs the normal shutdown).
namespace ql {

class TTreeForm;

void ScreenshotOnRequest(TTreeForm& form);

}  // namespace ql
