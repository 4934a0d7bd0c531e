#include "settings/RegFile.h"

#include <QStringEncoder>
#include <gtest/gtest.h>

namespace {

QByteArray utf16WithBom(const QString& text) {
    return QByteArray("\xFF\xFE", 2) + QStringEncoder(QStringConverter::Utf16LE).encode(text);
}

TEST(RegFile, ReadsWhatRegeditWrites) {
    const QString text = QStringLiteral("Windows Registry Editor Version 5.00\r\n"
                                        "\r\n"
                                        "; exported from Windows\r\n"
                                        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Kovrin\\Orrery 1.0\\Paths]\r\n"
                                        "\"SuperWabaPath\"=\"C:\\\\SuperWaba\\\\\"\r\n"
                                        "\"Quote\"=\"say \\\"hi\\\"\"\r\n"
                                        "@=\"default\"\r\n"
                                        "\r\n"
                                        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Kovrin\\Orrery 1.0\\position]\r\n"
                                        "\"Form1.Left\"=dword:0000ffff\r\n"
                                        "\"Form1.Top\" = DWORD:FFFFFFFF\r\n"
                                        "\"Gone\"=-\r\n"
                                        "\r\n"
                                        "[-HKEY_CURRENT_USER\\Software\\Old]\r\n"
                                        "[HKEY_CURRENT_USER\\Software\\Ünïcode ß]\r\n"
                                        "\"Größe\"=\"äöü €\"\r\n");

    for (const QByteArray& bytes : {utf16WithBom(text), text.toUtf8(), text.toUtf8().replace("\r\n", "\n")}) {
        const RegFileParse parsed = RegFile::parse(bytes);
        ASSERT_TRUE(parsed.ok()) << parsed.error.toStdString();
        ASSERT_EQ(parsed.keys.size(), 4);
        const RegFileKey& paths = parsed.keys[0];
        EXPECT_EQ(paths.path.toString(), "HKEY_LOCAL_MACHINE\\SOFTWARE\\Kovrin\\Orrery 1.0\\Paths");
        EXPECT_EQ(paths.values,
                  (QList<RegFileValue>{{"SuperWabaPath", RegistryValue::string("C:\\SuperWaba\\"), 0},
                                       {"Quote", RegistryValue::string("say \"hi\""), 0},
                                       {"", RegistryValue::string("default"), 0}}));
        EXPECT_EQ(parsed.keys[1].values,
                  (QList<RegFileValue>{{"Form1.Left", RegistryValue::dword(0xffff), 0},
                                       {"Form1.Top", RegistryValue::dword(0xffffffff), 0},
                                       {"Gone", std::nullopt, 0}}));
        EXPECT_EQ(parsed.keys[1].values[2].line, 12);
        EXPECT_TRUE(parsed.keys[2].remove);
        EXPECT_EQ(parsed.keys[2].path.hive, RegistryHive::CurrentUser);
        EXPECT_EQ(parsed.keys[3].path.keys.last(), "Ünïcode ß");
        EXPECT_EQ(parsed.keys[3].values.value(0).value->text, "äöü €");
    }
}

TEST(RegFile, Windows1252AndRegedit4AreRead) {
    const QByteArray bytes("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\X]\r\n\"Name\"=\"caf\xE9 \x80\"\r\n");
    const RegFileParse parsed = RegFile::parse(bytes);
    ASSERT_TRUE(parsed.ok()) << parsed.error.toStdString();
    EXPECT_EQ(parsed.keys[0].values[0].value->text, QStringLiteral("café €"));
}

TEST(RegFile, BadLinesAreNamed) {
    const QString header = QStringLiteral("Windows Registry Editor Version 5.00\n\n");
    struct Case {
        QString text;
        QString error;
    };
    const Case cases[] = {
        {"REGEDIT5\n", "Line 1: not a registry file"},
        {header + "\"x\"=\"1\"\n", "Line 3: a value before the first [key] line"},
        {header + "[HKEY_USERS\\S-1]\n", "Line 3: unknown hive in \"HKEY_USERS\\S-1\""},
        {header + "[HKEY_CURRENT_USER\\A\n", "Line 3: the key name is not closed"},
        {header + "[HKCU\\A]\n\"n\"=dword:12345678Z\n", "Line 4: \"dword:12345678Z\" is not a DWORD"},
        {header + "[HKCU\\A]\n\"n\"=dword:123456789\n", "Line 4: \"dword:123456789\" is not a DWORD"},
        {header + "[HKCU\\A]\n\"n\"=dword:\n", "Line 4: \"dword:\" is not a DWORD"},
        {header + "[HKCU\\A]\n\"n\"=hex(2):41,00\n", "Line 4: the value type hex(2) is not supported"},
        {header + "[HKCU\\A]\n\"n\"=\"open\n", "Line 4: the quoted text is not closed"},
        {header + "[HKCU\\A]\n\"n\"=\"a\\tb\"\n", "Line 4: a backslash in quotes"},
        {header + "[HKCU\\A]\n\"n\"=\"a\" junk\n", "Line 4: unexpected text after the closing quote"},
        {header + "[HKCU\\A]\n\"n\" \"a\"\n", "Line 4: expected = after the value name"},
        {header + "[HKCU\\A]\nname=\"a\"\n", "Line 4: expected a [key]"},
        {header + "[-HKCU\\A]\n\"n\"=\"a\"\n", "Line 4: a value under a key that is being removed"},
        {header + "[-HKEY_CURRENT_USER]\n", "Line 3: a hive cannot be removed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        const RegFileParse parsed = RegFile::parseText(c.text);
        EXPECT_TRUE(parsed.error.startsWith(c.error)) << parsed.error.toStdString();
    }
}

TEST(RegFile, FormatReadsBackAsWritten) {
    QList<RegFileKey> keys(2);
    keys[0].path = {RegistryHive::LocalMachine, {"SOFTWARE", "Kovrin", "Orrery 1.0", "Paths"}};
    keys[0].values = {{"JDKPath", RegistryValue::string("C:\\jdk\\ \"1.3\""), 0},
                      {"", RegistryValue::string("default"), 0},
                      {"Form1.Left", RegistryValue::dword(0xfffffff6), 0},
                      {"Empty", RegistryValue::string(""), 0},
                      {"Größe", RegistryValue::string("€"), 0}};
    keys[1].path = {RegistryHive::CurrentUser, {"Software", "X"}};

    const RegFileFormat text = RegFile::format(keys);
    ASSERT_TRUE(text.ok());
    EXPECT_TRUE(
        text.bytes.startsWith("Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE"));
    EXPECT_TRUE(text.bytes.contains("\"JDKPath\"=\"C:\\\\jdk\\\\ \\\"1.3\\\"\"\r\n"));
    EXPECT_TRUE(text.bytes.contains("\"Form1.Left\"=dword:fffffff6\r\n"));
    EXPECT_TRUE(text.bytes.contains("@=\"default\"\r\n"));

    const RegFileParse parsed = RegFile::parse(text.bytes);
    ASSERT_TRUE(parsed.ok()) << parsed.error.toStdString();
    ASSERT_EQ(parsed.keys.size(), 2);
    EXPECT_EQ(parsed.keys[0].path.keys, keys[0].path.keys);
    EXPECT_EQ(parsed.keys[0].values, keys[0].values);
    EXPECT_EQ(parsed.keys[1].path.toString(), "HKEY_CURRENT_USER\\Software\\X");
    EXPECT_TRUE(parsed.keys[1].values.isEmpty());
}

TEST(RegFile, LineBreaksCannotBeFormatted) {
    RegFileKey key;
    key.path = {RegistryHive::CurrentUser, {"X"}};
    key.values = {{"Multi", RegistryValue::string("one\ntwo"), 0}};
    const RegFileFormat text = RegFile::format({key});
    EXPECT_FALSE(text.ok());
    EXPECT_TRUE(text.error.contains("Multi"));
}

} // namespace
