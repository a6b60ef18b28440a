// Checks a program folder's course lessons, exercises and text files the way
// the program will read them: the bytes (Windows-1252, CR LF), every entry
// through ReadCourseEntry (nothing dropped by KeepTypeable, nothing cut by
// FitToLine), the number of entries of each level, and, for the course, that
// each lesson asks only for characters introduced in it or before it and that
// every character of the keyboard map is introduced somewhere.
#pragma once

#include "exercise/ExerciseSources.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace tastolino::datacheck {

struct Totals {
    int lessons = 0, exercises = 0, texts = 0, entries = 0, characters = 0;
};

class DataCheck {
  public:
    // Every fitter is tried: an entry must fit the sentence area on each
    // screen the program lays out.
    explicit DataCheck(QList<LineFitter> fitters) : fitters_(std::move(fitters)) {}

    // Checks appFolder + "CorsoDattilo/" and appFolder + "Esercizi/".
    void checkFolder(const QString& appFolder);

    QStringList problems;  // "file: what is wrong"
    Totals totals;

  private:
    void checkBytes(const QString& path, const QByteArray& bytes);
    // The characters of all entries of the file, CR included; empty on a fault.
    QString checkExercise(const QString& path);
    void checkText(const QString& path);
    void problem(const QString& path, const QString& what);

    QList<LineFitter> fitters_;
};

// The characters named in a lesson's "; Neue Zeichen:" comment, with
// "Leertaste" for the space bar and "Enter" for the Enter key.
QString introducedCharacters(const QByteArray& fileBytes);

}  // namespace tastolino::datacheck
