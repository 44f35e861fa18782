#include "gbk_text.h"

#include <cerrno>
#include <iconv.h>
#include <stdexcept>

namespace velmora::databuild {
namespace {

// Closes the conversion descriptor however the conversion ends.
class Converter {
public:
    Converter() : cd_(iconv_open("GBK", "UTF-8")) {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error("this system's iconv cannot convert UTF-8 to GBK");
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    iconv_t get() const { return cd_; }

private:
    iconv_t cd_;
};

} // namespace

std::string utf8_to_gbk(const std::string& utf8) {
    Converter converter;
    std::string out(utf8.size() * 2 + 4, '\0'); // GBK never needs more bytes than UTF-8
    char* in_ptr = const_cast<char*>(utf8.data());
    size_t in_left = utf8.size();
    char* out_ptr = out.data();
    size_t out_left = out.size();
    if (iconv(converter.get(), &in_ptr, &in_left, &out_ptr, &out_left) == static_cast<size_t>(-1))
        throw std::runtime_error("text \"" + utf8 + "\" cannot be written in GBK (" +
                                 (errno == EILSEQ ? "a character has no GBK form" : "invalid UTF-8") + ")");
    out.resize(out.size() - out_left);
    return out;
}

} // namespace velmora::databuild
