// SPDX-License-Identifier: Apache-2.0
#include "PhotoImageBuffer.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "Common.h"
#include "Handles.h"
#include "PvkImgLibPlain.h"

namespace {

// Bytes from the start of a plane command to its pixel rows: the 32-byte command header, the
// 14-byte file header, the 40-byte information header, 256 palette entries and ten zeros.
const int kCommandHeader = 32;
const int kPixelOffset = 1088;
const int kPlaneHeader = kCommandHeader + kPixelOffset;
const int kPaletteOffset = 86;
const int kBandRows = 1000;

uint64_t Stride24(uint64_t width) {
    return uint64_t(IL_RowStride(int64_t(width), 24));
}

// Describes a 24-bit bottom-up buffer from the process allocator and hands it to the library,
// which releases it with the record. The buffer is released here when it cannot be described.
bool AdoptPixels(_tagBITMAPHANDLE& bitmap, HeapBlock<unsigned char> pixels, uint64_t width,
                 uint64_t height) {
    std::memset(&bitmap, 0, sizeof(bitmap));
    const uint64_t size = Stride24(width) * height;
    if (size > UINT32_MAX ||
        IL_CreateBitmap(&bitmap, IL_BITMAPHANDLE_SIZE, IL_MEMORY_USER, uint32_t(width),
                        uint32_t(height), 24, IL_COLORORDER_RGB, nullptr, IL_ROWORIGIN_BOTTOM,
                        pixels.get(), int64_t(size)) != IL_OK)
        return false;
    // The library owns the pixels from here on.
    static_cast<void>(pixels.release());
    bitmap.memoryHandle = bitmap.data;
    return true;
}

// Turns the picture 90 degrees anticlockwise: stored row y, column x of the result is stored
// row height - 1 - x, column y of the source. The source is released in every case; null
// when the new buffer cannot be had.
HeapBlock<unsigned char> Rotate(HeapBlock<unsigned char> sourceBlock, uint64_t width,
                                uint64_t height) {
    const unsigned char* source = sourceBlock.get();
    const uint64_t sourceStride = Stride24(width);
    const uint64_t stride = Stride24(height);
    const uint64_t size = stride * width;
    HeapBlock<unsigned char> rotated(
        size <= UINT32_MAX ? static_cast<unsigned char*>(std::malloc(size ? size : 1)) : nullptr);
    if (rotated) {
        for (uint64_t y = 0; y < width; ++y) {
            unsigned char* out = rotated.get() + y * stride;
            for (uint64_t x = 0; x < height; ++x) {
                const unsigned char* in = source + (height - 1 - x) * sourceStride + y * 3;
                out[x * 3] = in[0];
                out[x * 3 + 1] = in[1];
                out[x * 3 + 2] = in[2];
            }
        }
    }
    return rotated;
}

// The image operations a chain runs with: the library's, or their plain forms (the reference
// that the fast chain is tested against).
struct ChainOperations {
    int (*sizeBitmap)(_tagBITMAPHANDLE*, int, int, int);
    int (*sharpenBitmap)(_tagBITMAPHANDLE*, int);
    int (*changeSaturation)(_tagBITMAPHANDLE*, int);
    bool bandsIntoPage; // border bands resampled straight into the bordered page
};

const ChainOperations kLibraryOperations = {IL_SizeBitmap, IL_SharpenBitmap,
                                            IL_ChangeBitmapSaturation, true};
const ChainOperations kPlainOperations = {PlainSizeBitmap, PlainSharpenBitmap,
                                          PlainChangeBitmapSaturation, false};

// Shrinks the page by s in bands of 1000 stored rows into a white W2 x H2 page. False when a
// working buffer cannot be had; the page is then released. Each band is described in place over
// the page's rows: the resampler reads exactly those rows, as it would from a copy of them, and
// leaves pixels it does not own untouched.
bool ScaleIntoBorder(_tagBITMAPHANDLE& page, float s, const ChainOperations& operations) {
    const uint64_t width = uint32_t(page.width);
    const uint64_t height = uint32_t(page.height);
    const uint64_t width2 = uint64_t(float(width) * s);
    const uint64_t height2 = uint64_t(float(height) * s);
    const uint64_t stride = Stride24(width);
    const uint64_t stride2 = Stride24(width2);

    // A page that shrinks to nothing has no picture left; the chain then yields an empty print.
    if (width2 == 0 || height2 == 0) {
        IL_FreeBitmap(&page);
        return true;
    }
    HeapBlock<unsigned char> borderedBlock(
        static_cast<unsigned char*>(std::malloc(stride2 * height2)));
    unsigned char* bordered = borderedBlock.get();
    if (bordered == nullptr) {
        IL_FreeBitmap(&page);
        return false;
    }

    uint64_t filled = 0;
    for (uint64_t start = 0; start < height; start += kBandRows) {
        const uint64_t rows = height - start < uint64_t(kBandRows) ? height - start : kBandRows;
        const uint64_t scaledRows = uint64_t(float(rows) * s);
        if (scaledRows == 0)
            continue;
        // Rounding of the single-precision products must not push a band past the page.
        const uint64_t copyRows = filled + scaledRows <= height2 ? scaledRows : height2 - filled;
        unsigned char* firstRow = bordered + filled * stride2;
        _tagBITMAPHANDLE band;
        std::memset(&band, 0, sizeof(band));
        bool resampled =
            IL_CreateBitmap(&band, IL_BITMAPHANDLE_SIZE, IL_MEMORY_USER, uint32_t(width),
                            uint32_t(rows), 24, IL_COLORORDER_RGB, nullptr, IL_ROWORIGIN_BOTTOM,
                            page.data + start * stride, int64_t(stride * rows)) == IL_OK;
        if (resampled && operations.bandsIntoPage) {
            // The kept rows are computed straight into the bordered page: the same bytes as
            // resampling the whole band and copying them.
            resampled = copyRows == 0 ||
                        SizeBitmapRowsInto(&band, int(width2), int(scaledRows), int(copyRows),
                                           firstRow, int64_t(stride2)) == IL_OK;
        } else if (resampled) {
            resampled = operations.sizeBitmap(&band, int(width2), int(scaledRows),
                                              IL_RESIZE_CUBIC) == IL_OK;
            for (uint64_t r = 0; resampled && r < copyRows; ++r)
                std::memcpy(firstRow + r * stride2, band.data + r * band.bytesPerLine, width2 * 3);
        }
        IL_FreeBitmap(&band);
        if (!resampled) {
            IL_FreeBitmap(&page);
            return false;
        }
        filled += copyRows;
    }
    // White where no band reached, and in the row padding: the resampled rows' pixels were
    // written above, so the page is as if it had been filled with white first.
    for (uint64_t r = 0; r < filled; ++r)
        std::memset(bordered + r * stride2 + width2 * 3, 255, stride2 - width2 * 3);
    std::memset(bordered + filled * stride2, 255, (height2 - filled) * stride2);

    IL_FreeBitmap(&page);
    return AdoptPixels(page, std::move(borderedBlock), width2, height2);
}

// Moves the page into three zero-filled plane records and releases it. False when the
// separation was refused.
bool Separate(_tagBITMAPHANDLE& page, _tagBITMAPHANDLE planes[3]) {
    std::memset(planes, 0, 3 * sizeof(_tagBITMAPHANDLE));
    _tagBITMAPHANDLE* list[3] = {&planes[0], &planes[1], &planes[2]};
    const bool separated = IL_ColorSeparateBitmap(&page, list, IL_BITMAPHANDLE_SIZE, 0) == IL_OK;
    IL_FreeBitmap(&page);
    return separated;
}

// Merges the planes into the zero-filled page record and releases them.
void Merge(_tagBITMAPHANDLE& page, _tagBITMAPHANDLE planes[3]) {
    std::memset(&page, 0, sizeof(page));
    _tagBITMAPHANDLE* list[3] = {&planes[0], &planes[1], &planes[2]};
    IL_ColorMergeBitmap(&page, list, IL_BITMAPHANDLE_SIZE, 0);
    for (int i = 0; i < 3; ++i)
        IL_FreeBitmap(&planes[i]);
}

// The tone values the chain gives one plane: gamma, brightness, contrast.
struct PlaneTones {
    int gamma;
    int brightness;
    int contrast;
};

// The merged value of every plane value: a plane with a grey palette, run through the plane's
// three tone operations, read back at the palette byte the merge takes for this plane. The tone
// operations look only at the palette, never at the pixels, so a one-pixel plane ends up with
// the palette the page's plane would have.
void ToneTable(const PlaneTones& tones, int plane, unsigned char table[256]) {
    unsigned char pixel[4] = {0, 0, 0, 0};
    unsigned char palette[256 * 4];
    for (size_t i = 0; i < 256; ++i) {
        palette[i * 4] = palette[i * 4 + 1] = palette[i * 4 + 2] = static_cast<unsigned char>(i);
        palette[i * 4 + 3] = 0;
    }
    _tagBITMAPHANDLE record;
    std::memset(&record, 0, sizeof(record));
    IL_CreateBitmap(&record, IL_BITMAPHANDLE_SIZE, IL_MEMORY_USER, 1, 1, 8, IL_COLORORDER_PALETTE,
                    palette, IL_ROWORIGIN_BOTTOM, pixel, sizeof(pixel));
    IL_GammaCorrectBitmap(&record, tones.gamma);
    IL_ChangeBitmapIntensity(&record, tones.brightness);
    IL_ChangeBitmapContrast(&record, tones.contrast);
    for (int i = 0; i < 256; ++i)
        table[i] = palette[i * 4 + plane];
}

// Fast form of separating the page, toning its planes and merging them: with colour order 1
// plane k holds byte k of every pixel and the merge writes byte k of plane k's palette entry
// for it, so each byte is replaced by its plane's table value in place. Row padding is left as
// it is; nothing reads it before the result clears it.
void ApplyTones(_tagBITMAPHANDLE& page, const PlaneTones tones[3]) {
    unsigned char tables[3][256];
    for (int k = 0; k < 3; ++k)
        ToneTable(tones[k], k, tables[k]);
    MapPixelBytes(&page, tables);
}

// Fast form of separating the finished page and merging its untouched planes into a fresh
// record: through grey palettes the merge copies every byte, so the page's own block moves into
// the record; the merge's zeroed row padding is written here.
void MoveIntoResult(_tagBITMAPHANDLE& page, _tagBITMAPHANDLE* result) {
    const uint64_t stride = Stride24(uint32_t(page.width));
    const uint64_t used = uint64_t(uint32_t(page.width)) * 3;
    for (uint64_t y = 0; y < uint32_t(page.height); ++y)
        std::memset(page.data + y * stride + used, 0, stride - used);
    *result = page;
    std::memset(&page, 0, sizeof(page));
}

} // namespace

PhotoImageBuffer::PhotoImageBuffer() {
    m_settings.border = true;
    std::memset(&m_mediaInfo, 0, sizeof(m_mediaInfo));
    m_mediaInfo.mediaId = -1;
    std::memset(m_planes, 0, sizeof(m_planes));
}

PhotoImageBuffer::~PhotoImageBuffer() {
    Clear();
}

int PhotoImageBuffer::Alloc(DeviceMediaBufferInfo geometry) {
    m_mediaInfo = geometry;
    return 0;
}

int PhotoImageBuffer::Clear() {
    for (auto& slot : m_planes)
        for (auto& plane : slot)
            IL_FreeBitmap(&plane);
    return 0;
}

int PhotoImageBuffer::Free() {
    return Clear();
}

int PhotoImageBuffer::SetImageData(int slot, _tagBITMAPHANDLE* page) {
    if (slot < 0 || slot >= kSlots)
        return 3;
    _tagBITMAPHANDLE* records = m_planes[slot];
    // A sheet that could not be sent keeps its planes; the next print of the slot replaces them.
    for (int p = 0; p < kPlanes; ++p)
        IL_FreeBitmap(&records[p]);
    std::memset(records, 0, kPlanes * sizeof(_tagBITMAPHANDLE));
    // Red becomes the cyan plane, green magenta, blue yellow.
    _tagBITMAPHANDLE* list[3] = {&records[kPlaneC], &records[kPlaneM], &records[kPlaneY]};
    if (IL_ColorSeparateBitmap(page, list, IL_BITMAPHANDLE_SIZE, 0) != IL_OK)
        std::memset(records, 0, kPlanes * sizeof(_tagBITMAPHANDLE));
    return 0;
}

_tagBITMAPHANDLE* PhotoImageBuffer::ColorProcess(void* pixels, long width, long height, int) {
    return RunChain(pixels, width, height, false);
}

_tagBITMAPHANDLE* PhotoImageBuffer::ColorProcessPlain(void* pixels, long width, long height, int) {
    return RunChain(pixels, width, height, true);
}

// The colour chain. The plain form runs every step literally with the plain image operations;
// the fast form runs the library's operations and replaces the two separate-and-merge steps by
// their exact equivalents (ApplyTones, MoveIntoResult).
_tagBITMAPHANDLE* PhotoImageBuffer::RunChain(void* pixels, long width, long height, bool plain) {
    const ChainOperations& operations = plain ? kPlainOperations : kLibraryOperations;
    HeapBlock<unsigned char> buffer(static_cast<unsigned char*>(pixels));
    uint64_t w = uint64_t(width > 0 ? width : 0);
    uint64_t h = uint64_t(height > 0 ? height : 0);

    if (m_settings.paperRotate) {
        buffer = Rotate(std::move(buffer), w, h);
        if (!buffer)
            return nullptr;
        const uint64_t rotatedWidth = h;
        h = w;
        w = rotatedWidth;
    }

    _tagBITMAPHANDLE page;
    AdoptPixels(page, std::move(buffer), w, h);

    if (m_settings.resolutionMode == 2)
        operations.sizeBitmap(&page, page.width / 2, page.height, IL_RESIZE_CUBIC);
    else if (m_settings.resolutionMode == 1 && m_settings.paperRotate)
        operations.sizeBitmap(&page, page.width / 2, 2 * page.height, IL_RESIZE_CUBIC);

    // Without media there are no margins to keep free.
    if (m_settings.border && page.data != nullptr && m_mediaInfo.paperWidthDots > 0 &&
        m_mediaInfo.paperLengthDots > 0) {
        const float across =
            float(double(m_mediaInfo.paperWidthDots - 2 * m_mediaInfo.borderMarginX) /
                  m_mediaInfo.paperWidthDots);
        const float along =
            float(double(m_mediaInfo.paperLengthDots - 2 * m_mediaInfo.borderMarginY) /
                  m_mediaInfo.paperLengthDots);
        if (!ScaleIntoBorder(page, across < along ? across : along, operations))
            return nullptr;
    }

    const ColorSettings& c = m_settings;
    const bool adjust = c.colorAdjustment;
    const PlaneTones tones[3] = {
        {adjust ? c.gamma.r : 100, adjust ? c.brightness.r : 0, adjust ? c.contrast.r : 0},
        {adjust ? c.gamma.g : 100, adjust ? c.brightness.g : 0, adjust ? c.contrast.g : 0},
        {adjust ? c.gamma.b : 100, adjust ? c.brightness.b : 0, adjust ? c.contrast.b : 0}};
    // The processed page's own zero-filled record.
    HeapBlock<_tagBITMAPHANDLE> result(
        static_cast<_tagBITMAPHANDLE*>(std::calloc(1, sizeof(_tagBITMAPHANDLE))));

    if (!plain) {
        // A page that is gone (no picture left, or not describable) gives the empty record, as
        // the refused separation does in the plain form.
        if (page.data != nullptr) {
            ApplyTones(page, tones);
            operations.sharpenBitmap(&page, c.sharpness);
            operations.changeSaturation(&page, adjust ? c.saturation : 0);
            if (result)
                MoveIntoResult(page, result.get());
        }
        IL_FreeBitmap(&page);
        return result.release();
    }

    _tagBITMAPHANDLE planes[3];
    if (Separate(page, planes)) {
        IL_GammaCorrectBitmap(&planes[0], tones[0].gamma);
        IL_GammaCorrectBitmap(&planes[1], tones[1].gamma);
        IL_GammaCorrectBitmap(&planes[2], tones[2].gamma);
        IL_ChangeBitmapIntensity(&planes[0], tones[0].brightness);
        IL_ChangeBitmapIntensity(&planes[1], tones[1].brightness);
        IL_ChangeBitmapIntensity(&planes[2], tones[2].brightness);
        IL_ChangeBitmapContrast(&planes[0], tones[0].contrast);
        IL_ChangeBitmapContrast(&planes[1], tones[1].contrast);
        IL_ChangeBitmapContrast(&planes[2], tones[2].contrast);
        Merge(page, planes);
    }

    operations.sharpenBitmap(&page, c.sharpness);
    operations.changeSaturation(&page, adjust ? c.saturation : 0);

    // The processed page moves into a record of its own with a fresh pixel block.
    Separate(page, planes);
    if (!result) {
        for (int i = 0; i < 3; ++i)
            IL_FreeBitmap(&planes[i]);
        return nullptr;
    }
    Merge(*result, planes);
    return result.release();
}

int PhotoImageBuffer::Send(OutputSink* sink, DeviceMediaBufferInfo* geometry) {
    const DeviceMediaBufferInfo& g = *geometry;
    if (g.headWidth < 0 || g.paperLength < 0)
        return 3;
    const uint64_t rowBytes = (uint64_t(g.headWidth) + 3) & ~uint64_t(3);
    const uint64_t planeBytes = rowBytes * uint64_t(g.paperLength);
    // The length field has room for eight digits.
    if (planeBytes + kPixelOffset > 99999999)
        return 3;

    const uint64_t total = planeBytes + kPlaneHeader;
    HeapBlock<unsigned char> blockOwner(static_cast<unsigned char*>(std::malloc(total)));
    unsigned char* block = blockOwner.get();
    if (block == nullptr)
        return 2;

    std::memset(block, ' ', kCommandHeader);
    block[0] = 0x1B;
    block[1] = 'P';
    std::memcpy(block + 2, "IMAGE", 5);
    char length[16];
    snprintf(length, sizeof(length), "%08d", int(planeBytes + kPixelOffset));
    std::memcpy(block + 24, length, 8);

    unsigned char* file = block + kCommandHeader;
    std::memset(file, 0, kPixelOffset);
    file[0] = 'B';
    file[1] = 'M';
    _StoreLE4(file + 2, int(planeBytes + kPixelOffset));
    _StoreLE4(file + 10, kPixelOffset);
    _StoreLE4(file + 14, 40);
    _StoreLE4(file + 18, g.headWidth);
    _StoreLE4(file + 22, g.paperLength);
    _StoreLE2(file + 26, 1);
    _StoreLE2(file + 28, 8);
    _StoreLE4(file + 34, int(planeBytes));
    _StoreLE4(file + 38, int(double(g.dpiX) * 1000 / 25.4));
    _StoreLE4(file + 42, int(double(g.dpiY) * 1000 / 25.4));
    _StoreLE4(file + 46, 256);
    _StoreLE4(file + 50, 256);
    unsigned char* palette = block + kPaletteOffset;
    for (size_t i = 0; i < 256; ++i) {
        palette[i * 4] = palette[i * 4 + 1] = palette[i * 4 + 2] = static_cast<unsigned char>(i);
        palette[i * 4 + 3] = 0;
    }

    unsigned char* rows = block + kPlaneHeader;
    std::memset(rows, 255, planeBytes);

    const int slots = g.imagesPerMedia < kSlots ? g.imagesPerMedia : kSlots;
    const int planeOrder[kPlanes] = {kPlaneY, kPlaneM, kPlaneC};
    const char* const planeNames[kPlanes] = {"YPLANE", "MPLANE", "CPLANE"};
    for (int p = 0; p < kPlanes; ++p) {
        std::memcpy(block + 8, planeNames[p], 6);
        for (int i = 0; i < slots; ++i) {
            const _tagBITMAPHANDLE& record = m_planes[i][planeOrder[p]];
            const int64_t count = g.imageLength < record.height ? g.imageLength : record.height;
            if (count <= 0 || record.data == nullptr)
                continue;
            const int64_t cols = g.headWidth < record.width ? g.headWidth : record.width;
            if (cols <= 0)
                continue;
            const int64_t top = (int64_t(g.imageLength) - count) / 2;
            const int64_t left = (int64_t(g.headWidth) - cols) / 2;
            const int64_t first = (int64_t(g.imageGapDots) + m_mediaInfo.paperLength) * i + top;
            for (int64_t r = 0; r < count; ++r) {
                const int64_t line = first + r;
                if (line < 0 || line >= g.paperLength)
                    continue;
                std::memcpy(rows + line * rowBytes + left, record.data + r * record.bytesPerLine,
                            cols);
            }
        }
        // A short write is reported, so that no start command follows an incomplete plane.
        if (sink == nullptr || !sink->Write(block, total))
            return 3;
    }
    return 0;
}
