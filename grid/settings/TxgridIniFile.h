#pragma once
// A small INI file: "[Section]" lines followed by "Name=Value" lines. Section and value names
// are matched without regard to case; reading a missing file, section or value gives the
// default. Writes change the text in memory (lines of other sections and values are kept as
// they are); UpdateFile writes it back, replacing the old file only once the new one is
// complete. The file is UTF-8 with CR LF line ends.
#include <QString>
#include <QStringList>

namespace grid {

class TIniFile {
public:
    explicit TIniFile(const QString& FileName); // reads the file when it exists
    ~TIniFile() = default;

    QString FileName() const { return FFileName; }
    QString ReadString(const QString& Section, const QString& Ident, const QString& Default) const;
    // A value that is not a decimal number (optional sign) gives the default.
    int ReadInteger(const QString& Section, const QString& Ident, int Default) const;
    bool ValueExists(const QString& Section, const QString& Ident) const;
    void WriteString(const QString& Section, const QString& Ident, const QString& Value);
    void WriteInteger(const QString& Section, const QString& Ident, int Value);
    // Raises ETxGridError naming the file when it cannot be written.
    void UpdateFile();
    bool Modified() const { return FModified; }
    const QStringList& Lines() const { return FLines; }

private:
    int FindSection(const QString& Section) const;              // index of its header line or -1
    int FindValue(int SectionLine, const QString& Ident) const; // index of its line or -1
    int SectionEnd(int SectionLine) const;                      // the line after its last value
    QString FFileName;
    QStringList FLines;
    bool FModified = false;
};

} // namespace grid
