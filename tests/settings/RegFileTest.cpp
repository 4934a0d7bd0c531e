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
        {header + "[HKCU\\A]\n\"n\"=hex(2):4G,00\n", "Line 4: \"4G\" is not a byte"},
        {header + "[HKCU\\A]\n\"n\"=hex(2):41,00,4\n", "Line 4: \"4\" is not a byte"},
        {header + "[HKCU\\A]\n\"n\"=hex(2):41,00,42\n", "Line 4: hex(2) text holds an odd number"},
        {header + "[HKCU\\A]\n\"n\"=hex(zz):00\n", "Line 4: \"hex(zz)\" is not a value type"},
        {header + "[HKCU\\A]\n\"n\"=hex(2)\n", "Line 4: expected : after hex(2)"},
        {header + "[HKCU\\A]\n\"a" + QChar(0) + "b\"=\"x\"\n",
         "Line 4: the value name holds a NUL character"},
        {header + "[HKCU\\A" + QChar(0) + "]\n", "Line 3: the key name holds a NUL character"},
        {header + "[HKCU\\A]\n\"n\"=\"x" + QChar(0xDC00) + "\"\n",
         "Line 4: the value \"n\" holds a lone UTF-16 surrogate (U+DC00)"},
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
                      {"Größe", RegistryValue::string("€"), 0},
                      // Text holding a line break goes as UTF-16LE bytes, as reg.exe writes it.
                      {"Multi", RegistryValue::string("one\ntwo"), 0},
                      {"Lines", RegistryValue::string("a\r\n" + QString(40, u'é')), 0}};
    keys[1].path = {RegistryHive::CurrentUser, {"Software", "X"}};

    const RegFileFormat text = RegFile::format(keys);
    ASSERT_TRUE(text.ok());
    // As reg.exe writes it: UTF-16LE behind a byte-order mark.
    EXPECT_TRUE(text.bytes.startsWith(utf16WithBom("Windows Registry Editor Version 5.00\r\n\r\n[HKEY_")));
    const QString written = RegFile::decode(text.bytes);
    EXPECT_TRUE(written.contains("\"JDKPath\"=\"C:\\\\jdk\\\\ \\\"1.3\\\"\"\r\n"));
    EXPECT_TRUE(written.contains("\"Form1.Left\"=dword:fffffff6\r\n"));
    EXPECT_TRUE(written.contains("@=\"default\"\r\n"));
    EXPECT_TRUE(written.contains("\"Größe\"=\"€\"\r\n"));
    EXPECT_TRUE(written.contains("\"Multi\"=hex(1):6f,00,6e,00,65,00,0a,00,74,00,77,00,6f,00,00,00\r\n"));
    // Long byte lists go on over lines of at most 80 characters, each but the last ending in ",\".
    const qsizetype lines = written.indexOf("\"Lines\"=hex(1):61,00,0d,00,0a,00,e9,00,");
    ASSERT_GE(lines, 0) << written.toStdString();
    const QStringList hexLines =
        written.mid(lines, written.indexOf("00,00\r\n", lines) + 5 - lines).split("\r\n");
    ASSERT_GT(hexLines.size(), 2);
    for (qsizetype i = 0; i < hexLines.size(); ++i) {
        EXPECT_LE(hexLines[i].size(), 80) << hexLines[i].toStdString();
        EXPECT_EQ(hexLines[i].endsWith(",\\"), i + 1 < hexLines.size()) << hexLines[i].toStdString();
        EXPECT_EQ(hexLines[i].startsWith("  "), i > 0) << hexLines[i].toStdString();
    }

    const RegFileParse parsed = RegFile::parse(text.bytes);
    ASSERT_TRUE(parsed.ok()) << parsed.error.toStdString();
    ASSERT_EQ(parsed.keys.size(), 2);
    EXPECT_EQ(parsed.keys[0].path.keys, keys[0].path.keys);
    EXPECT_EQ(parsed.keys[0].values, keys[0].values);
    EXPECT_EQ(parsed.keys[1].path.toString(), "HKEY_CURRENT_USER\\Software\\X");
    EXPECT_TRUE(parsed.keys[1].values.isEmpty());
}

TEST(RegFile, ValuesWrittenAsBytesAreReadOrLeftOutWithAWarning) {
    const QString v5 = QStringLiteral("Windows Registry Editor Version 5.00\r\n"
                                      "\r\n"
                                      "[HKEY_CURRENT_USER\\A]\r\n"
                                      "\"path\"=hex(2):25,00,50,00,41,00,54,00,48,00,25,00,5c,00,\\\r\n"
                                      "  62,00,00,00\r\n"
                                      "\"multi\"=hex(7):61,00,00,00,\\\r\n"
                                      "  62,00,00,00,00,00\r\n"
                                      "\"bin\"=hex:01,02,03\r\n"
                                      "@=hex(0):\r\n"
                                      "\"num\"=hex(4):0a,01,00,00\r\n"
                                      "\"sz\"=HEX(1):c4,00,3d,d8,00,de,00,00\r\n"
                                      "\"after\"=\"kept\"\r\n");
    for (const QByteArray& bytes : {utf16WithBom(v5), v5.toUtf8()}) {
        const RegFileParse parsed = RegFile::parse(bytes);
        ASSERT_TRUE(parsed.ok()) << parsed.error.toStdString();
        ASSERT_EQ(parsed.keys.size(), 1);
        EXPECT_EQ(parsed.keys[0].values,
                  (QList<RegFileValue>{{"path", RegistryValue::string("%PATH%\\b"), 0},
                                       {"num", RegistryValue::dword(0x10a), 0},
                                       {"sz", RegistryValue::string(QStringLiteral("Ä😀")), 0},
                                       {"after", RegistryValue::string("kept"), 0}}));
        EXPECT_EQ(parsed.keys[0].values[0].line, 4);
        EXPECT_EQ(parsed.keys[0].values[3].line, 12);
        EXPECT_EQ(parsed.warnings,
                  (QStringList{"Line 6: the value \"multi\" of [HKEY_CURRENT_USER\\A] is of type hex(7) "
                               "(REG_MULTI_SZ), which the store cannot hold; it was skipped.",
                               "Line 8: the value \"bin\" of [HKEY_CURRENT_USER\\A] is of type hex "
                               "(REG_BINARY), which the store cannot hold; it was skipped.",
                               "Line 9: the value @ of [HKEY_CURRENT_USER\\A] is of type hex(0) (REG_NONE), "
                               "which the store cannot hold; it was skipped."}));
    }
    // REGEDIT4 files hold text bytes in the Windows code page.
    const RegFileParse old =
        RegFile::parse("REGEDIT4\r\n[HKEY_CURRENT_USER\\A]\r\n\"p\"=hex(2):25,50,80,25,00\r\n");
    ASSERT_TRUE(old.ok()) << old.error.toStdString();
    EXPECT_EQ(old.keys[0].values[0].value, RegistryValue::string("%P€%"));
}

TEST(RegFile, LoneSurrogatesInUtf16FilesAreNamed) {
    QByteArray bytes = utf16WithBom("Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\A]\r\n\"");
    bytes += QByteArray("\x00\xD8", 2); // a high surrogate with nothing after it
    bytes += QStringEncoder(QStringConverter::Utf16LE).encode(QStringLiteral("\"=\"x\"\r\n"));
    const RegFileParse parsed = RegFile::parse(bytes);
    EXPECT_EQ(parsed.error, "Line 3: the value name holds a lone UTF-16 surrogate (U+D800)");
}

// Names have no byte form: one holding a line break cannot be written.
TEST(RegFile, LineBreaksInNamesCannotBeFormatted) {
    RegFileKey key;
    key.path = {RegistryHive::CurrentUser, {"X"}};
    key.values = {{"Multi\nName", RegistryValue::string("one"), 0}};
    const RegFileFormat text = RegFile::format({key});
    EXPECT_FALSE(text.ok());
    EXPECT_TRUE(text.error.contains("Multi")) << text.error.toStdString();
}

} // namespace
