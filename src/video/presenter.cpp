#include "video/presenter.h"

#include "video/bgrx_conversion.h"

namespace korvex {

bool CVideoPresenter::Init(VideoOutput* output, int width, int height) {
    Release();
    if (output == nullptr || width <= 0 || height <= 0) {
        return false;
    }
    const auto capabilities = output->Open(width, height);
    if (!capabilities) {
        return false;
    }
    output_ = output;
    yuv420_ = capabilities->yuv420;
    back_buffer_.Reshape(yuv420_ ? VideoSurface::Format::kYuv420 : VideoSurface::Format::kBgrx32,
                         width, height);
    changed_ = true;
    return true;
}

void CVideoPresenter::Release() {
    if (output_ != nullptr) {
        output_->Close();
    }
    output_ = nullptr;
    yuv420_ = false;
}

void CVideoPresenter::Clear(uint32_t argb) {
    if (!HasSurface()) {
        return;
    }
    back_buffer_.Fill(argb);
    changed_ = true;
}

bool CVideoPresenter::Present() {
    if (!HasSurface()) {
        return false;
    }
    const bool shown = changed_ ? output_->Show(back_buffer_) : output_->ShowAgain();
    changed_ = false;
    if (!shown) {
        Release();
    }
    return shown;
}

bool CVideoPresenter::TransferYV12(const PicturePlanes& picture, int width, int height,
                                   std::shared_ptr<const void> keeper) {
    if (!HasSurface() || !yuv420_ || width != back_buffer_.width() ||
        height != back_buffer_.height()) {
        return false;
    }
    if (keeper != nullptr) {
        back_buffer_.Borrow(picture, width, height, std::move(keeper));
    } else {
        back_buffer_.CopyYuv420(picture, width, height);
    }
    changed_ = true;
    return true;
}

bool CVideoPresenter::TransferRGB(SwsContext* converter, const PicturePlanes& picture, int rows) {
    if (!HasSurface() || converter == nullptr) {
        return false;
    }
    back_buffer_.Reshape(VideoSurface::Format::kBgrx32, back_buffer_.width(),
                         back_buffer_.height());
    ConvertToBgrx(converter, picture, rows, back_buffer_);
    changed_ = true;
    return true;
}

} // namespace korvex
