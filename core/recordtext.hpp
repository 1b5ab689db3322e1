// The text form of a view-definition record: one line per item, written and
// read by people.
//
//   # the customer form
//   version 42
//   view font style bold
//   view string "@3D3@SELCOLORS@VIEWNAME(Customer)"
//
//   field strings
//       101 "@NAME(CustName)@ALPHA"
//       103 "@NUM@LIMIT(8)"
//   field fonts
//       103 "Courier New" 10 bold
//   text-field fonts
//       1 "Arial" 14 bold italic
//   field colours
//       103 text #800000 back #FFFFC0 selected text #000000 selected back #FFFFFF
//   text-field colours
//       1 text #800000 back rgb(192, 192, 0)
//
// Statements, each on a line of its own:
//   version N                    first; decides what the record can hold
//   view font style WORDS        versions 32 and later (bold when not given)
//   view colours COLOURS         versions 33, 41 and 43, which need them:
//                                text, back, selected text, selected back
//   view string "..."            versions 3 and later
//   field strings                a section; its entries follow, one a line:
//   field fonts                  ID "face" SIZE [STYLE]   (STYLE after version 4)
//   text-field fonts             NUMBER "face" SIZE [STYLE]
//   field colours                ID text C back C selected text C selected back C
//   text-field colours           NUMBER text C back C
//   end after PART               the record stops after PART (head, view
//                                string or a section); later parts are not
//                                written
//   trailing HH HH ...           bytes appended as they are (hexadecimal)
// Sections come in the order above, each at most once; a section not given
// is written empty.  A style is any of bold, italic, underline, strikeout
// (or regular), and numbers for other bits.  A colour is #RRGGBB,
// rgb(R, G, B) or a COLORREF number (0x00BBGGRR).  Strings take \" \\ \t
// \n \r and \xHH; characters above 127 are written \xHH, as the record
// holds bytes of the ANSI code page.  Commas and colons between items are optional.  A comment
// runs from '#' (not a colour) or "//" to the end of the line.  Keywords
// are compared without regard to case; "colors" is read as "colours".
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "core/recorddecode.hpp"
#include "core/recordmodel.hpp"

namespace ts::core {

struct RecordTextError {
    unsigned line;  // 1-based
    std::string message;
};

struct ParsedRecordText {
    RecordModel model;
    std::vector<RecordTextError> errors;  // empty when the text is good
};

ParsedRecordText parse_record_text(std::string_view text);

// The text of a decoded record; its warnings are written as comments at the
// top.  `title` (may be empty) becomes the first comment line.
std::string format_record_text(const RecordModel& model, const std::vector<RecordWarning>& warnings,
                               std::string_view title);

} // namespace ts::core
