#pragma once

#include "storage/OutputFile.h"
#include "storage/StdioOutputFile.h"

#include <algorithm>
#include <cstddef>
#include <optional>

namespace kilosynth::test {

// Where a FailingOutputFile fails. A real file is created on disk and gets
// every byte up to the failure, so a test sees a partial temporary file
// being cleaned up, as after a full disk.
struct FailurePlan {
    std::optional<std::size_t> failAfterBytes; // write fails once this many bytes are written
    bool failSync = false;
    bool failClose = false;
    std::error_code error = std::make_error_code(std::errc::no_space_on_device);

    static FailurePlan afterBytes(std::size_t count) {
        FailurePlan plan;
        plan.failAfterBytes = count;
        return plan;
    }
    static FailurePlan onSync() {
        FailurePlan plan;
        plan.failSync = true;
        return plan;
    }
    static FailurePlan onClose() {
        FailurePlan plan;
        plan.failClose = true;
        return plan;
    }
};

class FailingOutputFile final : public OutputFile {
public:
    FailingOutputFile(std::unique_ptr<OutputFile> file, FailurePlan plan)
        : file_(std::move(file)), plan_(plan) {}

    static OutputFileFactory factory(FailurePlan plan) {
        return [plan](const std::filesystem::path& path,
                      std::error_code& error) -> std::unique_ptr<OutputFile> {
            auto file = StdioOutputFile::create(path, error);
            if (file == nullptr) {
                return nullptr;
            }
            return std::make_unique<FailingOutputFile>(std::move(file), plan);
        };
    }

    std::error_code write(std::span<const std::uint8_t> bytes) override {
        if (!plan_.failAfterBytes) {
            return file_->write(bytes);
        }
        const std::size_t room = *plan_.failAfterBytes - std::min(written_, *plan_.failAfterBytes);
        const std::size_t count = std::min(room, bytes.size());
        if (const auto error = file_->write(bytes.first(count))) {
            return error;
        }
        written_ += count;
        return count < bytes.size() ? plan_.error : std::error_code{};
    }
    std::error_code sync() override {
        const auto error = file_->sync();
        return plan_.failSync ? plan_.error : error;
    }
    std::error_code close() override {
        const auto error = file_->close();
        return plan_.failClose ? plan_.error : error;
    }

private:
    std::unique_ptr<OutputFile> file_;
    FailurePlan plan_;
    std::size_t written_ = 0;
};

} // namespace kilosynth::test
