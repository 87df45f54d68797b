// What the player is told at start-up about a data file that could not be used as it was.
#pragma once

#include <string>
#include <string_view>

class QWidget;

namespace kumoji {

class TAnswerRecord;
class TTabijiUsers;

// After the roster's load: names a data file that could not be read (a folder, a pipe or a
// file this user may not read: it is never overwritten, so progress will not be kept), or tells
// where a damaged one was kept and offers the previous good file in its place. True when saves
// are bound to fail, so that the failure need not be told again.
bool TellDataFileProblems(QWidget* Owner, TTabijiUsers& Users, const std::string& FileName,
                          std::string_view Section);

// After the record's load: tells where lines of it that could not be read were kept.
void TellRecordDamage(QWidget* Owner, const TAnswerRecord& Record, const std::string& FileName);

} // namespace kumoji
