#pragma once
// The text box of the note dialogs. Qt lays out a block in time that grows with the square
// of its length, so a line of a megabyte held the dialogs for minutes. Lines longer than
// kLetrasPorBloque are kept as several blocks; each block after the first of a line is
// marked as its continuation and joined back without a line break wherever the text is
// read: Texto(), a copy, a drag.
#include <QPlainTextEdit>

class MemoNota : public QPlainTextEdit {
    Q_OBJECT
public:
    static constexpr int kLetrasPorBloque = 1000;

    // Scroll bar always shown, Tab leaves the box, named "Texto" for screen readers.
    explicit MemoNota(QWidget* parent = nullptr);

    // Lines separated by '\n'. The cursor goes to the start and the undo history is emptied.
    void PonerTexto(const QString& texto);
    // The text as the user sees it, lines separated by '\n' (Shift+Enter's too), no-break
    // spaces kept.
    QString Texto() const;
    // The document position of the letter at `indice` of Texto().
    int PosicionDeIndice(qsizetype indice) const;

protected:
    QMimeData* createMimeDataFromSelection() const override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString TextoEntre(int desde, int hasta) const;
    // Writes at the cursor, a long line as several blocks.
    static void InsertarEnBloques(QTextCursor& cursor, const QString& texto);
};
