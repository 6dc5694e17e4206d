#include "sample/dfe/doc_zip_packing.h"

#include <zlib.h>

#include <stdexcept>

#include "sample/portal/base64.h"

namespace sample {
namespace {

std::string Gzip(std::string_view document) {
    z_stream stream{};
    if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, 16 + MAX_WBITS, 8,
                     Z_DEFAULT_STRATEGY) != Z_OK) {
        throw std::runtime_error("deflateInit2 failed");
    }
    std::string packed(deflateBound(&stream, static_cast<uLong>(document.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(document.data()));
    stream.avail_in = static_cast<uInt>(document.size());
    stream.next_out = reinterpret_cast<Bytef*>(packed.data());
    stream.avail_out = static_cast<uInt>(packed.size());
    const int result = deflate(&stream, Z_FINISH);
    packed.resize(stream.total_out);
    deflateEnd(&stream);
    if (result != Z_STREAM_END) {
        throw std::runtime_error("deflate failed");
    }
    return packed;
}

}  // namespace

std::string PackDocZip(std::string_view document) {
    return EncodeBase64(Gzip(document));
}

std::string PackBrokenDocZip(std::string_view document) {
    const std::string packed = Gzip(document);
    return EncodeBase64(std::string_view(packed).substr(0, packed.size() / 2));
}

}  // namespace sample
