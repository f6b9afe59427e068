// The literal markers by which the rules document finds its tables, rows and
// values in the rules text. They are matched byte for byte; their leading
// spaces are counted and are part of the layout the game writes (two spaces
// per level of indentation, CR LF line ends).
#pragma once

#include "text/text.h"

namespace vantrel {

inline const Text kLineEnd = "\r\n";

// The head of a table, up to its column dictionary: the table's <Item> line
// (8 spaces), its name line with the name as the text spells it, and the lines
// that open its "Cols" dictionary.
inline Text tableStartMarker(const Text& rawName) {
  return Text(8, ' ') + "<Item>\r\n" + Text(10, ' ') + "<Simple value=\"" + rawName + "\" />\r\n" +
         Text(10, ' ') + "<Complex>\r\n" + Text(12, ' ') + "<Properties>\r\n" + Text(14, ' ') +
         "<Dictionary name=\"Cols\" keyType=\"System.String, mscorlib\" "
         "valueType=\"System.Int32, mscorlib\">";
}

// The head of the "Entities" table. It begins with 7 spaces, so it also
// matches the game's <Item> line indented by 8.
inline const Text kEntitiesStart = tableStartMarker("Entities").substr(1);

// The head of the "Commands" table.
inline const Text kCommandsStart = tableStartMarker("Commands");

// The closing lines of a table's last row, with which the table end begins.
inline const Text kLastRowEnd = Text(20, ' ') + "</SingleArray>\r\n" + Text(18, ' ') + "</Item>";

// The lines that close a table after its last row: the rows dictionary, the
// table's properties and the table's <Item>.
inline const Text kTableClose = "\r\n" + Text(16, ' ') + "</Items>\r\n" + Text(14, ' ') +
                                "</Dictionary>\r\n" + Text(12, ' ') + "</Properties>\r\n" +
                                Text(10, ' ') + "</Complex>\r\n" + Text(8, ' ') + "</Item>";

// The end of a table. It begins at the </SingleArray> line of the table's
// last row, so a table section stops just before that line.
inline const Text kTableEnd = kLastRowEnd + kTableClose;

// The head of a table's rows dictionary; its rows follow.
inline const Text kRowsStart = Text(14, ' ') +
                               "<Dictionary name=\"Rows\" keyType=\"System.String, mscorlib\" "
                               "valueType=\"System.String[], mscorlib\">\r\n" +
                               Text(16, ' ') + "<Items>";

inline const Text kRowStart = " <Item>";
inline const Text kRowEnd = " </Item>";

// A value line is <Simple value="VALUE" />; a column without a value is <Null />.
inline const Text kValueStart = "<Simple value=\"";
inline const Text kValueEnd = "\"";
inline const Text kValueLineEnd = "\" />";
inline const Text kNullValue = "<Null />";

}  // namespace vantrel
