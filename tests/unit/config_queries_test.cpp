// Line splitting and key queries over settings texts built in memory.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/launch_config.h"

namespace {

std::string text(const TextBuffer& buffer)
{
    return std::string(buffer.chars, static_cast<size_t>(buffer.length));
}

// A LaunchConfig whose settings text is replaced by a file part and an embedded part, joined
// the way the constructor joins them.
struct Settings {
    Settings(const std::string& file, const std::string& embedded)
    {
        config.SetLength(0);
        config.Append(file.data(), static_cast<int32_t>(file.size()));
        if (!file.empty())
            config.Append("\r\n", 2);
        config.embeddedStart = config.length;
        config.Append(embedded.data(), static_cast<int32_t>(embedded.size()));
    }
    LaunchConfig config;
};

void collect(void* context, const char* value)
{
    static_cast<std::vector<std::string>*>(context)->push_back(value);
}

std::vector<std::string> allValues(const LaunchConfig& config, const char* key, bool embeddedOnly)
{
    std::vector<std::string> values;
    TextBuffer result = config.queryKey(TextBuffer(key), collect, &values, embeddedOnly);
    EXPECT_EQ(result.length, 0) << "a query with a callback returns an empty text";
    return values;
}

} // namespace

TEST(LineReader, LineEnds)
{
    struct Case { std::string text; std::vector<std::string> lines; };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\n\rb", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"a\n\nb", {"a", "", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\n\r\n\rb", {"a", "", "b"}},
        {"\r\n", {""}},
        {"\n\n", {"", ""}},
        {" \t x \t", {" \t x \t"}},
        {std::string("a\nb\0c\nd", 7), {"a", "b"}},
    };
    for (const Case& c : cases) {
        TextBuffer source(c.text.data(), static_cast<int32_t>(c.text.size()));
        LineReader reader(source.chars);
        std::vector<std::string> lines;
        TextBuffer line("stale");
        while (reader.nextLine(line))
            lines.push_back(text(line));
        EXPECT_EQ(lines, c.lines) << testing::PrintToString(c.text);
        EXPECT_FALSE(reader.nextLine(line)) << "stays at the end";
    }
    TextBuffer line;
    LineReader nothing(nullptr);
    EXPECT_FALSE(nothing.nextLine(line));
}

TEST(LaunchConfigQueries, FirstValue)
{
    struct Case { std::string file; std::string embedded; const char* key; bool embeddedOnly; std::string value; };
    const std::string nul("\0", 1);
    const Case cases[] = {
        // Precedence: the settings file first, the earlier line within a source.
        {"jre_order ie", "jre_order cs\r\n", "jre_order", false, "ie"},
        {"", "jre_order cs\r\njre_order ie\r\n", "jre_order", false, "cs"},
        {"mainclass a.B", "mainclass c.D\r\n", "mainclass", true, "c.D"},
        {"mainclass a.B", "", "mainclass", true, ""},
        {"jvmdll", "jvmdll C:\\jre\\bin\\client\\jvm.dll\r\n", "jvmdll", false, ""},
        // Spaces, tabs and letter case.
        {"   Option    -Dx=1  ", "", "option", false, "-Dx=1  "},
        {"option\t-Xmx1m", "", "option", false, "\t-Xmx1m"},
        {"optionfoo", "", "option", false, "foo"},
        {"\tminjre 1.8", "", "minjre", false, ""},
        {"MINJRE 1.5", "", "minjre", false, "1.5"},
        {"#minjre 1.4\r\nminjre 1.6", "", "minjre", false, "1.6"},
        {"minj", "", "minjre", false, ""},
        {"\xEF\xBB\xBFminjre 1.8", "", "minjre", false, ""},
        {"\xEF\xBB\xBFminjre 1.8\r\nminjre 1.6", "", "minjre", false, "1.6"},
        // Line ends of every kind.
        {"x 1\nminjre 1.8\n", "", "minjre", false, "1.8"},
        {"x 1\rminjre 1.8", "", "minjre", false, "1.8"},
        {"x 1\n\rminjre 1.8", "", "minjre", false, "1.8"},
        {"x 1\r\r\nminjre 1.8", "", "minjre", false, "1.8"},
        // A settings file without a final line break still ends its line before the embedded text.
        {"minjre", "1.8\r\n", "minjre", false, ""},
        // A NUL hides the rest of the text from whole-text queries, but not the embedded part.
        {"option a" + nul + "\r\nminjre 1.4", "minjre 1.6\r\nmainclass M\r\n", "minjre", false, ""},
        {"option a" + nul + "\r\nminjre 1.4", "minjre 1.6\r\nmainclass M\r\n", "mainclass", true, "M"},
        {"option a" + nul + "\r\nminjre 1.4", "minjre 1.6\r\n", "option", false, "a"},
        {"", "", "minjre", false, ""},
        {"", "", "", false, ""},
    };
    for (const Case& c : cases) {
        Settings settings(c.file, c.embedded);
        TextBuffer value = settings.config.getValue(TextBuffer(c.key), c.embeddedOnly);
        EXPECT_EQ(text(value), c.value) << testing::PrintToString(c.file) << " + " << testing::PrintToString(c.embedded)
                                        << " key " << c.key << (c.embeddedOnly ? " embedded only" : "");
    }
}

TEST(LaunchConfigQueries, EveryValueInTextOrder)
{
    struct Case { std::string file; std::string embedded; bool embeddedOnly; std::vector<std::string> values; };
    const Case cases[] = {
        {"option -Xmx256m", "option -Xms32m\r\n", false, {"-Xmx256m", "-Xms32m"}},
        {"option -Xmx256m", "option -Xms32m\r\n", true, {"-Xms32m"}},
        {"option a\r\nproperty p=1\r\n OPTION b\r\noption", "Option\tc \r\noptions\r\n", false, {"a", "b", "", "\tc ", "s"}},
        {"property p=1", "", false, {}},
        {"", "", false, {}},
    };
    for (const Case& c : cases) {
        Settings settings(c.file, c.embedded);
        EXPECT_EQ(allValues(settings.config, "option", c.embeddedOnly), c.values)
            << testing::PrintToString(c.file) << " + " << testing::PrintToString(c.embedded);
    }
}
