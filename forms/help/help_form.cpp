#include "forms/help/help_form.h"

namespace pravex {

namespace {

constexpr ControlRef kText1 = ControlNamed(kFormHelpDef, L"Text1");

}  // namespace

std::wstring HelpText() {
  return L"Help file for Quorvel Pravex"
         L"\r\n\r\n"
         L"To use this tool, simply double click on Pravex.exe to launch the tool"
         L"\r\n"
         L"When the tool started, follow 2 steps as shown on the window."
         L"\r\n\r\n"
         L"1. Select the tool you are having trouble with.  It must be either Vastrel or ZPX "
         L"based tools other than Vastrel."
         L"\r\n\r\n"
         L"2. Click on the 'Diagnose' button. "
         L"\r\n\r\n\r\n"
         L"Depending on the result of the diagnostic, new window with instructions will pop up. "
         L"\r\n"
         L"Follow the instruction shown. You can either copy the contents of the solution by "
         L"clicking on 'Copy to Clipboard' button, or save by 'Save as...' button so that you can "
         L"store it on your hard drive for later reference."
         L"\r\n\r\n"
         L"Or you can also send the result to Quorvel's FTP server."
         L"\r\n\r\n"
         L"If you have any questions, contact Quorvel QuorvelCare. ";
}

FormHelp::FormHelp(Forms& forms) : Form(forms, FormHelpDef()) {}

void FormHelp::Form_Load() {
  Ctl(kText1).SetText(HelpText());
}

void FormHelp::Form_Resize() {
  const TwipsSize size = FittedTextSize({Width(), Height()}, 300, 800);
  Control text = Ctl(kText1);
  text.SetWidth(size.width);
  text.SetHeight(size.height);
}

}  // namespace pravex
