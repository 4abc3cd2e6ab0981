// The soak scenario: a few thousand generated user actions (tests/scenarios/
// soak.replay, written by seashell-gensoak) through the whole program on the
// headless screen. The program must carry out every line and end in order,
// with nothing printed; in the sanitizer build any memory error, leak or
// undefined behaviour on the way fails the run as well.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

std::string readtext(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST(Soak, GeneratedActionsRunToTheEnd)
{
    namespace fs = std::filesystem;
    const fs::path dir = fs::path(SEASHELL_BINARY_DIR) / "robust-runs" / "soak";
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string script = std::string(SEASHELL_SOURCE_DIR) + "/tests/scenarios/soak.replay";
    const std::string cmd = "cd '" + dir.string() + "' && '" SEASHELL_BINARY_DIR
                            "/tools/replay/seashell-replay' '" + script + "' > out.txt 2> err.txt";
    int status = std::system(cmd.c_str());
    ASSERT_TRUE(WIFEXITED(status)) << readtext(dir / "err.txt");
    EXPECT_EQ(WEXITSTATUS(status), 0) << readtext(dir / "err.txt");
    // The last line dumps the model: the whole script was carried out, the
    // program did not end early (an allocation failure also exits with 0).
    EXPECT_TRUE(fs::exists(dir / "end.json"));
    EXPECT_EQ(readtext(dir / "out.txt"), "");
}

}  // namespace
