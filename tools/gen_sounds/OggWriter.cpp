#include "OggWriter.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <fstream>

namespace gensounds {

namespace {

// Owns the libvorbis/libogg encoder state for one file.
class Encoder {
public:
    Encoder() {
        vorbis_info_init(&info_);
        vorbis_comment_init(&comment_);
    }
    ~Encoder() {
        if (streamReady_) ogg_stream_clear(&stream_);
        if (blockReady_) vorbis_block_clear(&block_);
        if (dspReady_) vorbis_dsp_clear(&dsp_);
        vorbis_comment_clear(&comment_);
        vorbis_info_clear(&info_);
    }
    Encoder(const Encoder&) = delete;
    Encoder& operator=(const Encoder&) = delete;

    std::string run(std::ofstream& out, const std::vector<float>& samples, int rate, float quality,
                    std::uint32_t serial, const std::string& title) {
        if (vorbis_encode_init_vbr(&info_, 1, rate, quality) != 0) return "encoder set-up failed";
        vorbis_comment_add_tag(&comment_, "TITLE", title.c_str());
        if (vorbis_analysis_init(&dsp_, &info_) != 0) return "encoder start failed";
        dspReady_ = true;
        vorbis_block_init(&dsp_, &block_);
        blockReady_ = true;
        ogg_stream_init(&stream_, int(serial));
        streamReady_ = true;

        ogg_packet header, commentHeader, codeHeader;
        vorbis_analysis_headerout(&dsp_, &comment_, &header, &commentHeader, &codeHeader);
        ogg_stream_packetin(&stream_, &header);
        ogg_stream_packetin(&stream_, &commentHeader);
        ogg_stream_packetin(&stream_, &codeHeader);
        // The headers end on a page of their own, as the format asks.
        ogg_page page;
        while (ogg_stream_flush(&stream_, &page) != 0) writePage(out, page);

        constexpr std::size_t kChunk = 1024;
        for (std::size_t at = 0; at < samples.size(); at += kChunk) {
            const std::size_t n = std::min(kChunk, samples.size() - at);
            float** buffer = vorbis_analysis_buffer(&dsp_, int(n));
            std::copy_n(samples.begin() + std::ptrdiff_t(at), n, buffer[0]);
            vorbis_analysis_wrote(&dsp_, int(n));
            drain(out);
        }
        vorbis_analysis_wrote(&dsp_, 0);  // end of stream
        drain(out);
        return out ? std::string{} : std::string("write failed");
    }

private:
    vorbis_info info_{};
    vorbis_comment comment_{};
    vorbis_dsp_state dsp_{};
    vorbis_block block_{};
    ogg_stream_state stream_{};
    bool dspReady_ = false, blockReady_ = false, streamReady_ = false;

    static void writePage(std::ofstream& out, const ogg_page& page) {
        out.write(reinterpret_cast<const char*>(page.header), page.header_len);
        out.write(reinterpret_cast<const char*>(page.body), page.body_len);
    }

    void drain(std::ofstream& out) {
        while (vorbis_analysis_blockout(&dsp_, &block_) == 1) {
            vorbis_analysis(&block_, nullptr);
            vorbis_bitrate_addblock(&block_);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp_, &packet) != 0) {
                ogg_stream_packetin(&stream_, &packet);
                ogg_page page;
                while (ogg_stream_pageout(&stream_, &page) != 0) {
                    writePage(out, page);
                    if (ogg_page_eos(&page)) return;
                }
            }
        }
    }
};

}  // namespace

std::string writeOggVorbis(const std::filesystem::path& path, const std::vector<float>& samples,
                           int sampleRate, float quality, std::uint32_t serial,
                           const std::string& title) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return "cannot create " + path.string();
    Encoder encoder;
    const std::string error = encoder.run(out, samples, sampleRate, quality, serial, title);
    return error.empty() ? error : path.string() + ": " + error;
}

}  // namespace gensounds
