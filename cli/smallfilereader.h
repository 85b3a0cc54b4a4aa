#pragma once

#include <QByteArray>
#include <QString>

// Reads project files for the batch tool: one open, one read into a buffer that is
// kept from file to file, one close. The buffer is far larger than a project file;
// a file that fills it, or any failure, is left to DvlFile::load, which reads it
// again and says what is wrong in the words a user of the window would see.
class SmallFileReader
{
public:
    SmallFileReader();

    // The bytes of the file, valid until the next read; false where the file could
    // not be read whole.
    bool read(const QString &path, QByteArray *&bytes);

private:
    QByteArray m_buffer;
    QByteArray m_nativePath;
};
