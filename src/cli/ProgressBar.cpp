#include "cli/ProgressBar.h"

#include <string>

namespace {
constexpr int kBarWidth = 40;
}

void ProgressBar::Update(size_t done)
{
    if (finished_ || total_ == 0) return;
    const int percent = static_cast<int>(done * 100 / total_);
    if (percent == shownPercent_) return;
    shownPercent_ = percent;
    const int filled = percent * kBarWidth / 100;
    const std::string bar = std::string(filled, '#') + std::string(kBarWidth - filled, '.');
    std::fprintf(out_, "\rConverting [%s] %3d%% (%zu/%zu)", bar.c_str(), percent, done, total_);
    std::fflush(out_);
}

void ProgressBar::Finish()
{
    if (finished_) return;
    finished_ = true;
    if (shownPercent_ >= 0) std::fputc('\n', out_);
}
