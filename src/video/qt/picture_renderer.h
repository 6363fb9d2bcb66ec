#pragma once

#include "video/video_surface.h"

#include <QOpenGLBuffer>
#include <QOpenGLFunctions>
#include <QOpenGLShaderProgram>
#include <array>
#include <memory>

namespace korvex {

// Draws one picture over the whole viewport of the current OpenGL context: planar YUV 4:2:0
// pictures as three luminance textures converted to RGB in a fragment shader, 32-bit B, G, R, X
// pictures as one texture. YUV samples are read by the picture's own range and matrix. Filtering is
// linear, so any viewport size is a plain stretch.
//
// Threading: the thread of the context, with the context current for every call (the video
// window's user-interface thread inside initializeGL and paintGL).
class PictureRenderer : protected QOpenGLFunctions {
public:
    PictureRenderer() = default;
    PictureRenderer(const PictureRenderer&) = delete;
    PictureRenderer& operator=(const PictureRenderer&) = delete;

    // Creates the shaders, textures and the quad in the current context. False when a shader
    // cannot be built.
    bool Initialize();
    // Frees what Initialize created; the context is about to go.
    void Destroy();
    bool IsInitialized() const { return vertices_.isCreated(); }

    // Uploads a picture into the textures; it is drawn from now on.
    void Upload(const VideoSurface& picture);
    // Forgets the uploaded picture, so that Draw paints black until the next Upload.
    void Forget() { drawn_format_ = VideoSurface::Format::kNone; }
    bool HasPicture() const { return drawn_format_ != VideoSurface::Format::kNone; }

    // Black, then the uploaded picture stretched over the viewport.
    void Draw();

private:
    struct Texture {
        unsigned id = 0;
        int width = 0;
        int height = 0;
    };
    void UploadPlane(Texture& texture, unsigned format, int width, int height,
                     const uint8_t* pixels);

    std::unique_ptr<QOpenGLShaderProgram> yuv_program_;
    std::unique_ptr<QOpenGLShaderProgram> rgb_program_;
    QOpenGLBuffer vertices_{QOpenGLBuffer::VertexBuffer};
    std::array<Texture, 3> yuv_textures_{};
    Texture rgb_texture_;
    VideoSurface::Format drawn_format_ = VideoSurface::Format::kNone;
    PictureColour colour_; // of the uploaded YUV picture
};

} // namespace korvex
