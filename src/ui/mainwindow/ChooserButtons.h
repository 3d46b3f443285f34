#pragma once

#include "ui/choosers/FieldBoxes.h"

#include <array>
#include <string_view>

namespace tornavel::ui {

class TForm1;
class TForm5;
class TForm6;

// What each "..." button of the main window opens: the run-file chooser with
// a PurposeCode, a file mask and a caption, or the icon chooser with a
// PurposeCode alone (it has its own mask and caption).
struct ChooserOpener {
    int button; // ButtonN
    int purposeCode;
    bool iconChooser;
    std::string_view mask;    // run-file chooser only
    std::string_view caption; // run-file chooser only
};

inline constexpr std::string_view kRunFileCaption = "Výběr spouštěného souboru";

inline constexpr std::array<ChooserOpener, 13> kChooserOpeners = {{
    {2, 11, false, "*.*", kRunFileCaption},
    {3, 12, true, {}, {}},
    {4, 21, false, "*.*", kRunFileCaption},
    {5, 22, true, {}, {}},
    {6, 31, false, "*.*", kRunFileCaption},
    {7, 32, true, {}, {}},
    {8, 41, false, "*.*", kRunFileCaption},
    {9, 42, true, {}, {}},
    {10, 51, false, "*.*", kRunFileCaption},
    {11, 52, true, {}, {}},
    {12, 1, false, "*.txt;*.rtf", "Výběr licenčního souboru"},
    {13, 2, false, "*.txt;*.rtf", "Výběr readme souboru"},
    {14, 3, false, "*.txt;*.rtf", "Výběr souboru s popisem"},
}};

// The opener of ButtonN; nullptr for a button that opens no chooser.
const ChooserOpener* chooserOpenerFor(int button);

// Prepares the chooser that ButtonN opens and shows it modally; the chooser
// writes its result into the main window's fields itself.
void openChooser(int button, TForm5& runFileChooser, TForm6& iconChooser);

// The main window's edit boxes by field, for the choosers' results.
FieldBoxes fieldBoxesOf(TForm1& window);

// Hands the two choosers to the main window's "..." buttons and keeps them
// pointed at SourceFolder whenever the window settles it anew.
void attachChoosers(TForm1& window, TForm5& runFileChooser, TForm6& iconChooser);

} // namespace tornavel::ui
