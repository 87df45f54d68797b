// Texts of the storage layer's own failures.
#include "storage/storage_error.h"

#include <cstring>

namespace kumoji {

namespace {

class TStorageCategory final : public std::error_category {
public:
    const char* name() const noexcept override { return "kumoji-storage"; }

    std::string message(int Code) const override {
        switch (static_cast<TStorageError>(Code)) {
        case TStorageError::CannotEncode:
            return "データを符号化できません (the text cannot be coded)";
        case TStorageError::NoFileName:
            return "ファイル名がありません (no file name)";
        case TStorageError::NotRegularFile:
            return "通常のファイルではありません (not a regular file)";
        case TStorageError::FormatWrong:
            return "データの形式が違います";
        case TStorageError::RecordedSizeWrong:
            return "記録データのサイズが違います";
        case TStorageError::ReadOutSizeWrong:
            return "読み出しデータのサイズが違います";
        case TStorageError::CheckFailed:
            return "チェック値が合いません (the check value does not match)";
        case TStorageError::OutOfMemory:
            return "メモリが足りません (out of memory)";
        case TStorageError::NotRead:
            return "読み込めなかったファイルは上書きしません (a file that could not be read is "
                   "not overwritten)";
        case TStorageError::Locked:
            return "別のコピーのゲームがファイルを使っています (another copy of the game is "
                   "using the file)";
        case TStorageError::DriveNotWritable:
            return "このドライブには保存できません (this drive cannot be written)";
        case TStorageError::SavingOff:
            return "保存しない設定です (saving is turned off)";
        }
        return "unknown storage error " + std::to_string(Code);
    }
};

} // namespace

const std::error_category& StorageCategory() {
    static const TStorageCategory Category;
    return Category;
}

std::error_code make_error_code(TStorageError Error) {
    return {static_cast<int>(Error), StorageCategory()};
}

std::string ErrorText(std::error_code Error) {
    if (!Error)
        return {};
    if (Error.category() == StorageCategory())
        return Error.message();
    return std::strerror(Error.value());
}

} // namespace kumoji
