#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <functional>
#include <vector>

namespace telvainn {

// A Windows-style profile file ("[SECTION]" lines followed by "KEY=value" lines) in Windows-1252, held in
// memory and read and written by section and key. It stands in for the Windows profile functions, so it
// follows their reading rules:
//
// - Section and key names match without regard to letter case. The first section of a name and, within
//   it, the first key of a name win; later duplicates are kept in the file but never read or written.
// - Leading and trailing blanks are removed from every line, section name, key and value. A line whose
//   first non-blank character is ";" is a comment. A line that is neither a section, a comment nor a
//   "key=value" line (no "=") is kept but never matches. Lines before the first section belong to no
//   section and are never read.
// - After trimming, a value enclosed in one matching pair of double quotes or of single quotes loses
//   that pair (`"Dalvora AS"` reads as `Dalvora AS`, `""x""` as `"x"`); a lone quote at one end stays.
//   writeString() adds such a pair itself whenever the value would otherwise not read back unchanged,
//   so every value without a line break round-trips exactly.
// - A key that is present with an empty value reads as the empty text, not as the default.
//
// Lines the program does not change are written back byte for byte, line ends included, so a file edited
// by hand keeps its comments, blank lines and foreign sections. A file an editor saved as UTF-8 (it starts
// with the UTF-8 byte-order mark, or it is valid UTF-8 holding other than ASCII) is read as UTF-8 and
// held, and so written back whole, in Windows-1252 without the mark.
class ProfileFile {
  public:
    // An empty profile for `path`; nothing is read or written.
    explicit ProfileFile(QString path = {});

    // Reads the whole file. A file that does not exist is an empty profile; a file that exists but
    // cannot be read raises Error("Unable to read <full path>").
    static ProfileFile load(const QString& path);

    // One save as the profile functions make it, safe beside other programs that share the file: under
    // the lock file "<file>.lock" the file is read as it is on disk now, `change` writes its keys, and
    // the file is saved, so a key another program saved meanwhile is never put back. Raises the errors
    // of load() and save(); a lock that stays held by another program raises "Unable to write to <full
    // path>" followed by the lock file's name.
    static void update(const QString& path, const std::function<void(ProfileFile&)>& change);

    const QString& path() const { return m_path; }

    // The key's value, or `defaultValue` when the section or the key is missing.
    QString readString(QStringView section, QStringView key, const QString& defaultValue = {}) const;

    // The key's value as an integer: an optional sign, then decimal digits, or hexadecimal digits after
    // "0x", "0X" or "$". Anything else, an empty value, a missing key or a value outside the signed
    // 32-bit range gives `defaultValue`.
    int readInteger(QStringView section, QStringView key, int defaultValue) const;

    // Sets the key's value. An existing key's line is replaced in place (keeping the key's spelling from
    // the file); a new key goes after the last non-blank line of its section; a new section is added at
    // the end of the file. Written lines are "KEY=value" and "[SECTION]" ending in CR LF. Line breaks
    // inside `value` become blanks, since one profile line cannot hold them. `section` and `key` are the
    // program's own names: not empty, no "]" or "=" in them, no surrounding blanks.
    void writeString(QStringView section, QStringView key, QStringView value);

    // Writes the whole profile to path() atomically: a temporary file in the same folder, then a rename,
    // so a failure never leaves a truncated file behind. A path that is a symbolic link is written where
    // the link points, as the user who made the link means it. Raises Error("Unable to write to <full
    // path>").
    void save() const;

    // The file's bytes as save() writes them.
    QByteArray toBytes() const;

    // The value of a profile integer as readInteger() reads it, or false in `ok`.
    static int parseInteger(QStringView text, bool* ok);

  private:
    enum class LineKind { Other, Comment, Section, Key };

    struct Line {
        QByteArray content;  // the line without its line end, as stored in the file
        QByteArray end;      // "\r\n", "\n", or empty for a last line without a line end
        LineKind kind = LineKind::Other;
        QString name;   // section or key name, trimmed
        QString value;  // key value, trimmed, quotes not yet removed
    };

    static Line parseLine(QByteArray content, QByteArray end);
    qsizetype findSection(QStringView section) const;
    qsizetype sectionEnd(qsizetype header) const;
    qsizetype findKey(qsizetype header, QStringView key) const;
    void ensureLineEnd(qsizetype index);

    QString m_path;
    std::vector<Line> m_lines;
};

}  // namespace telvainn
