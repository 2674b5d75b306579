#include "util/DUtil.h"

#include "platform/SpecialFolders.h"
#include "../TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

TEST(UserDirs, ReadsTheDocumentsEntry)
{
    const std::string home = "/home/anna";
    struct Case { std::string text, value; };
    const Case cases[] = {
        {"XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n", "/home/anna/Dokumente"},
        {"# comment\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\r\n  XDG_DOCUMENTS_DIR = \"/srv/docs\" \r\n", "/srv/docs"},
        {"XDG_DOCUMENTS_DIR=\"$HOME\"\n", "/home/anna"},
        {"XDG_DOCUMENTS_DIR=\"relative/path\"\n", ""},        // not a form the file allows
        {"XDG_DOCUMENTS_DIR=\"$HOMEX/a\"\n", ""},
        {"XDG_DOCUMENTS_DIR_OLD=\"/x\"\n", ""},
        {"XDG_DOCUMENTS_DIR=\"/a\"\nXDG_DOCUMENTS_DIR=\"/b\"", "/b"},  // the last one wins
        {"XDG_DOCUMENTS_DIR=\"", ""},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseUserDirsValue(c.text, "XDG_DOCUMENTS_DIR", home), c.value) << c.text;
}

// Sets environment variables for one test and puts them back afterwards.
class EnvironmentGuard {
public:
    void Set(const char* name, const std::optional<std::string>& value)
    {
        const char* old = std::getenv(name);
        saved_.push_back({name, old ? std::optional<std::string>(old) : std::nullopt});
        Apply(name, value);
    }
    ~EnvironmentGuard()
    {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) Apply(it->first.c_str(), it->second);
    }

private:
    static void Apply(const char* name, const std::optional<std::string>& value)
    {
        if (value) setenv(name, value->c_str(), 1);
        else unsetenv(name);
    }
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST(SpecialFolder, DocumentsFolderFromTheDesktopSettingsElseHome)
{
    TempFolder config;
    EnvironmentGuard env;
    env.Set("HOME", "/home/anna");
    env.Set("XDG_CONFIG_HOME", config.Path().string());
    EXPECT_EQ(GetMyDocumentsPath(), "/home/anna/Documents/");   // no user-dirs.dirs

    WriteFileBytes(config / "user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente/\"\n");
    EXPECT_EQ(GetMyDocumentsPath(), "/home/anna/Dokumente/");
    EXPECT_EQ(GetSpecialFolderPath(CSIDL_PROFILE), "/home/anna/");
    EXPECT_EQ(GetSpecialFolderPath(0x7777), "");

    env.Set("HOME", std::nullopt);
    env.Set("XDG_CONFIG_HOME", std::nullopt);
    EXPECT_EQ(GetMyDocumentsPath(), "");                         // cannot be determined
}
