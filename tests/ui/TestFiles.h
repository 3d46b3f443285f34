#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTest>

// File helpers for the GUI tests.

// The file's bytes; empty when it cannot be read.
inline QByteArray readAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}

// Replaces the file's content; a file that cannot be written fails the test.
inline void writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    file.write(bytes);
}

// Makes root + "/program/" and root + "/source/" and writes the program
// folder's "Tornavel.ini" naming the source folder; returns both paths, each
// ending with "/".
inline void makeProgramAndSourceFolders(const QString& root, QString& program, QString& source) {
    program = root + "/program/";
    source = root + "/source/";
    QVERIFY(QDir().mkpath(program) && QDir().mkpath(source));
    writeAll(program + "Tornavel.ini",
             "[Nastaveni]\r\nVystupniAdresar=" + source.toUtf8() + "\r\n");
}

// The stand-in compiler (TORNAVEL_FAKE_ISCC) as programFolder + "iscc".
inline void installFakeCompiler(const QString& programFolder) {
    const QString fake = qEnvironmentVariable("TORNAVEL_FAKE_ISCC");
    QVERIFY2(!fake.isEmpty(), "TORNAVEL_FAKE_ISCC is not set");
    QVERIFY(QFile::copy(fake, programFolder + "iscc"));
    QFile(programFolder + "iscc")
        .setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
