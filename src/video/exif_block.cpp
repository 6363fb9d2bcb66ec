#include "video/exif_block.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <libexif/exif-data.h>
#include <memory>
#include <string>

namespace korvex {
namespace {

constexpr ExifByteOrder kOrder = EXIF_BYTE_ORDER_INTEL;

struct ExifDataUnref {
    void operator()(ExifData* data) const { exif_data_unref(data); }
};

// A new entry of `components` values of `format`, zeroed, in `ifd`.
ExifEntry* AddEntry(ExifData* data, ExifIfd ifd, ExifTag tag, ExifFormat format,
                    unsigned long components) {
    ExifMem* memory = exif_mem_new_default();
    ExifEntry* entry = exif_entry_new_mem(memory);
    const unsigned int size = exif_format_get_size(format) * static_cast<unsigned int>(components);
    entry->data = static_cast<unsigned char*>(exif_mem_alloc(memory, size));
    entry->size = size;
    entry->tag = tag;
    entry->format = format;
    entry->components = components;
    exif_content_add_entry(data->ifd[ifd], entry);
    exif_entry_unref(entry); // the content holds it now
    exif_mem_unref(memory);
    return entry;
}

void AddText(ExifData* data, ExifIfd ifd, ExifTag tag, const std::string& text) {
    ExifEntry* entry = AddEntry(data, ifd, tag, EXIF_FORMAT_ASCII, text.size() + 1);
    std::memcpy(entry->data, text.c_str(), text.size() + 1);
}

void AddBytes(ExifData* data, ExifIfd ifd, ExifTag tag, ExifFormat format, const char* bytes,
              unsigned long count) {
    ExifEntry* entry = AddEntry(data, ifd, tag, format, count);
    std::memcpy(entry->data, bytes, count);
}

void AddRationals(ExifData* data, ExifTag tag, std::initializer_list<ExifRational> values) {
    ExifEntry* entry = AddEntry(data, EXIF_IFD_GPS, tag, EXIF_FORMAT_RATIONAL, values.size());
    unsigned char* at = entry->data;
    for (const ExifRational& value : values) {
        exif_set_rational(at, kOrder, value);
        at += exif_format_get_size(EXIF_FORMAT_RATIONAL);
    }
}

// A non-negative value to three decimals.
ExifRational Thousandths(double value) {
    return {static_cast<ExifLong>(std::lround(std::fabs(value) * 1000)), 1000};
}

// Degrees, minutes and seconds of arc, the seconds to a thousandth: finer than the GPS text's
// ten-thousandth of a minute.
void AddCoordinate(ExifData* data, ExifTag tag, double degrees) {
    const long total = std::lround(std::fabs(degrees) * 3600 * 1000);
    AddRationals(data, tag,
                 {{static_cast<ExifLong>(total / 3600000), 1},
                  {static_cast<ExifLong>(total / 60000 % 60), 1},
                  {static_cast<ExifLong>(total % 60000), 1000}});
}

void AddTime(ExifData* data, std::int64_t taken) {
    const std::time_t when = static_cast<std::time_t>(taken);
    std::tm local{};
    if (localtime_r(&when, &local) == nullptr) {
        return;
    }
    char text[32];
    std::strftime(text, sizeof text, "%Y:%m:%d %H:%M:%S", &local);
    const int minutes = static_cast<int>(std::labs(local.tm_gmtoff) / 60);
    char offset[32];
    std::snprintf(offset, sizeof offset, "%c%02d:%02d", local.tm_gmtoff < 0 ? '-' : '+',
                  minutes / 60, minutes % 60);
    AddText(data, EXIF_IFD_0, EXIF_TAG_DATE_TIME, text);
    // The offset tags belong to version 2.31 of the format.
    AddBytes(data, EXIF_IFD_EXIF, EXIF_TAG_EXIF_VERSION, EXIF_FORMAT_UNDEFINED, "0231", 4);
    AddText(data, EXIF_IFD_EXIF, EXIF_TAG_DATE_TIME_ORIGINAL, text);
    AddText(data, EXIF_IFD_EXIF, EXIF_TAG_OFFSET_TIME, offset);
    AddText(data, EXIF_IFD_EXIF, EXIF_TAG_OFFSET_TIME_ORIGINAL, offset);
}

void AddFix(ExifData* data, const GpsFix& fix) {
    const GpsRecord& where = fix.record;
    const char version[] = {2, 3, 0, 0};
    AddBytes(data, EXIF_IFD_GPS, static_cast<ExifTag>(EXIF_TAG_GPS_VERSION_ID), EXIF_FORMAT_BYTE,
             version, sizeof version);
    AddText(data, EXIF_IFD_GPS, static_cast<ExifTag>(EXIF_TAG_GPS_LATITUDE_REF),
            where.latitude < 0 ? "S" : "N");
    AddCoordinate(data, static_cast<ExifTag>(EXIF_TAG_GPS_LATITUDE), where.latitude);
    AddText(data, EXIF_IFD_GPS, static_cast<ExifTag>(EXIF_TAG_GPS_LONGITUDE_REF),
            where.longitude < 0 ? "W" : "E");
    AddCoordinate(data, static_cast<ExifTag>(EXIF_TAG_GPS_LONGITUDE), where.longitude);
    AddText(data, EXIF_IFD_GPS, static_cast<ExifTag>(EXIF_TAG_GPS_SPEED_REF), "K");
    AddRationals(data, static_cast<ExifTag>(EXIF_TAG_GPS_SPEED), {Thousandths(where.speed)});
    AddText(data, EXIF_IFD_GPS, static_cast<ExifTag>(EXIF_TAG_GPS_IMG_DIRECTION_REF), "T");
    AddRationals(data, static_cast<ExifTag>(EXIF_TAG_GPS_IMG_DIRECTION),
                 {Thousandths(where.course)});
    if (fix.utc) {
        const RmcTime& utc = *fix.utc;
        AddRationals(data, static_cast<ExifTag>(EXIF_TAG_GPS_TIME_STAMP),
                     {{static_cast<ExifLong>(utc.hour), 1},
                      {static_cast<ExifLong>(utc.minute), 1},
                      {static_cast<ExifLong>(utc.second), 1}});
        char date[32];
        std::snprintf(date, sizeof date, "%04d:%02d:%02d", utc.year, utc.month, utc.day);
        AddText(data, EXIF_IFD_GPS, static_cast<ExifTag>(EXIF_TAG_GPS_DATE_STAMP), date);
    }
}

// A number of the EXIF IFD, in the format libexif gave it or as a LONG when new.
void SetNumber(ExifData* data, ExifTag tag, int value) {
    ExifEntry* entry = exif_content_get_entry(data->ifd[EXIF_IFD_EXIF], tag);
    if (entry == nullptr) {
        entry = AddEntry(data, EXIF_IFD_EXIF, tag, EXIF_FORMAT_LONG, 1);
    }
    if (entry->format == EXIF_FORMAT_SHORT) {
        exif_set_short(entry->data, kOrder, static_cast<ExifShort>(value));
    } else {
        exif_set_long(entry->data, kOrder, static_cast<ExifLong>(value));
    }
}

} // namespace

std::vector<std::uint8_t> ExifBlock(const PictureTags& tags, int width, int height) {
    if (!tags.taken && !tags.fix) {
        return {};
    }
    const std::unique_ptr<ExifData, ExifDataUnref> data(exif_data_new());
    if (!data) {
        return {};
    }
    exif_data_set_byte_order(data.get(), kOrder);
    if (tags.taken) {
        AddTime(data.get(), *tags.taken);
    }
    if (tags.fix) {
        AddFix(data.get(), *tags.fix);
    }
    // The tags a JPEG file's EXIF data must have besides, with libexif's values, so that
    // readers that check the format find nothing missing; then the picture's own size, and
    // sRGB, which the snapshot's RGB conversion gives.
    exif_data_set_data_type(data.get(), EXIF_DATA_TYPE_COMPRESSED);
    exif_data_fix(data.get());
    SetNumber(data.get(), EXIF_TAG_PIXEL_X_DIMENSION, width);
    SetNumber(data.get(), EXIF_TAG_PIXEL_Y_DIMENSION, height);
    SetNumber(data.get(), EXIF_TAG_COLOR_SPACE, 1);
    unsigned char* bytes = nullptr;
    unsigned int size = 0;
    exif_data_save_data(data.get(), &bytes, &size);
    std::vector<std::uint8_t> block(bytes, bytes + size);
    std::free(bytes); // libexif's default allocator
    return block;
}

} // namespace korvex
