#include "video/qt/picture_renderer.h"

namespace korvex {
namespace {

// Texture row 0 is the top of the picture.
constexpr char kVertexShader[] = R"(
attribute vec2 position;
varying mediump vec2 coord;
void main() {
    coord = vec2((position.x + 1.0) * 0.5, (1.0 - position.y) * 0.5);
    gl_Position = vec4(position, 0.0, 1.0);
}
)";

// The picture's range and matrix come in as uniforms (video/picture_colour.h): offset and
// scale of Y, U, V, then the matrix's four coefficients r_v, g_u, g_v, b_u.
constexpr char kYuvShader[] = R"(
#ifdef GL_ES
precision mediump float;
#endif
varying mediump vec2 coord;
uniform sampler2D plane_y;
uniform sampler2D plane_u;
uniform sampler2D plane_v;
uniform vec3 offset;
uniform vec3 scale;
uniform vec4 matrix;
void main() {
    vec3 yuv = vec3(texture2D(plane_y, coord).r, texture2D(plane_u, coord).r,
                    texture2D(plane_v, coord).r);
    yuv = (yuv - offset) * scale;
    gl_FragColor = vec4(yuv.x + matrix.x * yuv.z, yuv.x + matrix.y * yuv.y + matrix.z * yuv.z,
                        yuv.x + matrix.w * yuv.y, 1.0);
}
)";

constexpr float kChromaZero = 128.0f / 255;

// The bytes are B, G, R, X, uploaded as if they were R, G, B, A.
constexpr char kRgbShader[] = R"(
#ifdef GL_ES
precision mediump float;
#endif
varying mediump vec2 coord;
uniform sampler2D picture;
void main() {
    gl_FragColor = vec4(texture2D(picture, coord).bgr, 1.0);
}
)";

constexpr GLfloat kQuad[] = {-1, -1, 1, -1, -1, 1, 1, 1};

std::unique_ptr<QOpenGLShaderProgram> BuildProgram(const char* fragment) {
    auto program = std::make_unique<QOpenGLShaderProgram>();
    if (!program->addShaderFromSourceCode(QOpenGLShader::Vertex, kVertexShader) ||
        !program->addShaderFromSourceCode(QOpenGLShader::Fragment, fragment)) {
        return nullptr;
    }
    program->bindAttributeLocation("position", 0);
    if (!program->link()) {
        return nullptr;
    }
    return program;
}

} // namespace

bool PictureRenderer::Initialize() {
    initializeOpenGLFunctions();
    yuv_program_ = BuildProgram(kYuvShader);
    rgb_program_ = BuildProgram(kRgbShader);
    if (!yuv_program_ || !rgb_program_) {
        return false;
    }
    yuv_program_->bind();
    yuv_program_->setUniformValue("plane_y", 0);
    yuv_program_->setUniformValue("plane_u", 1);
    yuv_program_->setUniformValue("plane_v", 2);
    rgb_program_->bind();
    rgb_program_->setUniformValue("picture", 0);
    rgb_program_->release();
    vertices_.create();
    vertices_.bind();
    vertices_.allocate(kQuad, sizeof kQuad);
    vertices_.release();
    return true;
}

void PictureRenderer::Destroy() {
    for (Texture* texture :
         {&yuv_textures_[0], &yuv_textures_[1], &yuv_textures_[2], &rgb_texture_}) {
        if (texture->id != 0) {
            glDeleteTextures(1, &texture->id);
        }
        *texture = Texture{};
    }
    vertices_.destroy();
    yuv_program_.reset();
    rgb_program_.reset();
    Forget();
}

void PictureRenderer::UploadPlane(Texture& texture, unsigned format, int width, int height,
                                  const uint8_t* pixels) {
    if (texture.id == 0) {
        glGenTextures(1, &texture.id);
    }
    glBindTexture(GL_TEXTURE_2D, texture.id);
    if (texture.width != width || texture.height != height) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), width, height, 0, format,
                     GL_UNSIGNED_BYTE, pixels);
        texture.width = width;
        texture.height = height;
    } else {
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, width, height, format, GL_UNSIGNED_BYTE, pixels);
    }
}

void PictureRenderer::Upload(const VideoSurface& picture) {
    // Surfaces are packed without row padding; odd widths need byte alignment.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    if (picture.format() == VideoSurface::Format::kYuv420) {
        UploadPlane(yuv_textures_[0], GL_LUMINANCE, picture.width(), picture.height(),
                    picture.plane(0));
        for (int i = 1; i <= 2; ++i) {
            UploadPlane(yuv_textures_[static_cast<size_t>(i)], GL_LUMINANCE,
                        ChromaWidth(picture.width()), ChromaHeight(picture.height()),
                        picture.plane(i));
        }
    } else if (picture.format() == VideoSurface::Format::kBgrx32) {
        UploadPlane(rgb_texture_, GL_RGBA, picture.width(), picture.height(), picture.plane(0));
    }
    drawn_format_ = picture.format();
    colour_ = picture.colour();
}

void PictureRenderer::Draw() {
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    if (!HasPicture() || !IsInitialized()) {
        return;
    }
    const bool yuv = drawn_format_ == VideoSurface::Format::kYuv420;
    QOpenGLShaderProgram& program = yuv ? *yuv_program_ : *rgb_program_;
    program.bind();
    if (yuv) {
        const YuvToRgb to_rgb = YuvToRgbOf(colour_);
        program.setUniformValue("offset", to_rgb.y_offset, kChromaZero, kChromaZero);
        program.setUniformValue("scale", to_rgb.y_scale, to_rgb.uv_scale, to_rgb.uv_scale);
        program.setUniformValue("matrix", to_rgb.r_v, to_rgb.g_u, to_rgb.g_v, to_rgb.b_u);
        for (size_t i = 0; i < yuv_textures_.size(); ++i) {
            glActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(i));
            glBindTexture(GL_TEXTURE_2D, yuv_textures_[i].id);
        }
    } else {
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D, rgb_texture_.id);
    }
    vertices_.bind();
    program.enableAttributeArray(0);
    program.setAttributeBuffer(0, GL_FLOAT, 0, 2);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    program.disableAttributeArray(0);
    vertices_.release();
    glActiveTexture(GL_TEXTURE0);
    program.release();
}

} // namespace korvex
