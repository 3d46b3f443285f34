#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTest>

// Whole-file helpers for the GUI tests.

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
