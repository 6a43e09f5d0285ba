// The bmp2ppm tool run as a person runs it: files in, a PPM file or an error
// text and exit code out.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "bmp_builder.h"

namespace {

namespace fs = std::filesystem;

class Bmp2PpmTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder =
            fs::temp_directory_path() /
            ("bmp2ppm_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_folder);
    }
    void TearDown() override { fs::remove_all(m_folder); }

    fs::path write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        const fs::path path = m_folder / name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return path;
    }

    // Runs the tool; returns its exit code and leaves its error output in m_errors.
    int run(const fs::path& in, const fs::path& out) {
        const fs::path errors = m_folder / "errors.txt";
        const std::string command = std::string("'") + BMP2PPM_PATH + "' '" + in.string() + "' '" +
                                    out.string() + "' 2>'" + errors.string() + "'";
        const int status = std::system(command.c_str());
        std::ifstream text(errors);
        m_errors.assign(std::istreambuf_iterator<char>(text), std::istreambuf_iterator<char>());
        return WEXITSTATUS(status);
    }

    fs::path m_folder;
    std::string m_errors;
};

TEST_F(Bmp2PpmTest, WritesTheDecodedPictureTopRowFirst) {
    // 3 x 2, bottom row red green blue, top row white black grey.
    const bmp_test::Colour rows[2][3] = {{0xff0000, 0x00ff00, 0x0000ff},
                                         {0xffffff, 0x000000, 0x808080}};
    bmp_test::BmpLayout layout = bmp_test::bmp_layout(3, 2, 24);
    layout.pixels = bmp_test::stored_rows(3, 2, 24, [&](int x, int y) { return rows[y][x]; });
    const fs::path out = m_folder / "out.ppm";
    ASSERT_EQ(run(write("in.bmp", bmp_test::build_bmp(layout)), out), 0) << m_errors;

    std::ifstream ppm(out, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(ppm)),
                            std::istreambuf_iterator<char>());
    const std::string header = "P6\n3 2\n255\n";
    const std::string pixels = std::string("\xff\xff\xff\x00\x00\x00\x80\x80\x80", 9) +
                               std::string("\xff\x00\x00\x00\xff\x00\x00\x00\xff", 9);
    EXPECT_EQ(bytes, header + pixels);
}

TEST_F(Bmp2PpmTest, BadFilesPrintTheRenderersErrorTextAndExitWithOne) {
    const fs::path out = m_folder / "out.ppm";
    const fs::path empty = write("empty.bmp", {});
    EXPECT_EQ(run(empty, out), 1);
    EXPECT_EQ(m_errors, "Failed to open DIB file " + empty.string() + ".\n");

    bmp_test::BmpLayout v5 = bmp_test::bmp_layout(1, 1, 24);
    v5.header_size = 124;
    v5.pixels = {0, 0, 0, 0};
    EXPECT_EQ(run(write("v5.bmp", bmp_test::build_bmp(v5)), out), 1);
    EXPECT_EQ(m_errors, "Unknown DIB file format.\n");

    EXPECT_EQ(run(m_folder / "missing.bmp", out), 1);
    EXPECT_EQ(m_errors, "Failed to open DIB file " + (m_folder / "missing.bmp").string() + ".\n");
    EXPECT_FALSE(fs::exists(out));
}

} // namespace
