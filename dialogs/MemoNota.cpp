#include "dialogs/MemoNota.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>

namespace {

// On the block format, which a merge of two blocks takes from the first, as it should.
constexpr int kContinuacion = QTextFormat::UserProperty + 1;

bool EsContinuacion(const QTextBlock& bloque) {
    return bloque.blockFormat().boolProperty(kContinuacion);
}

QTextBlockFormat FormatoBloque(bool continuacion) {
    QTextBlockFormat formato;
    if (continuacion)
        formato.setProperty(kContinuacion, true);
    return formato;
}

// Where a long line is cut: after its last space in the second half of the block, so that a
// text of words still breaks between words, or else at the block's end, never between the
// halves of a surrogate pair.
qsizetype Corte(QStringView linea) {
    const qsizetype maximo = MemoNota::kLetrasPorBloque;
    if (linea.size() <= maximo)
        return linea.size();
    const qsizetype espacio = linea.first(maximo).lastIndexOf(u' ');
    if (espacio >= maximo / 2)
        return espacio + 1;
    return linea[maximo - 1].isHighSurrogate() ? maximo - 1 : maximo;
}

} // namespace

MemoNota::MemoNota(QWidget* parent) : QPlainTextEdit(parent) {
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(true);
    setAccessibleName(QStringLiteral("Texto"));
}

void MemoNota::InsertarEnBloques(QTextCursor& cursor, const QString& texto) {
    bool primera = true;
    for (QStringView linea : QStringView(texto).split(u'\n')) {
        if (!primera)
            cursor.insertBlock(FormatoBloque(false));
        primera = false;
        for (bool continuacion = false;; continuacion = true) {
            if (continuacion)
                cursor.insertBlock(FormatoBloque(true));
            const qsizetype corte = Corte(linea);
            cursor.insertText(linea.first(corte).toString());
            linea = linea.sliced(corte);
            if (linea.isEmpty())
                break;
        }
    }
}

void MemoNota::PonerTexto(const QString& texto) {
    QTextDocument* doc = document();
    doc->setUndoRedoEnabled(false);
    clear();
    QTextCursor cursor(doc);
    // One edit: the layout is done once, at its end.
    cursor.beginEditBlock();
    InsertarEnBloques(cursor, texto);
    cursor.endEditBlock();
    doc->setUndoRedoEnabled(true);
    doc->setModified(false);
    moveCursor(QTextCursor::Start);
}

QString MemoNota::TextoEntre(int desde, int hasta) const {
    QString texto;
    for (QTextBlock b = document()->findBlock(desde); b.isValid() && b.position() <= hasta;
         b = b.next()) {
        // The separator before this block lies in the range.
        if (b.position() > desde && !EsContinuacion(b))
            texto += u'\n';
        const int inicio = qMax(desde, b.position()) - b.position();
        const int fin = qMin(hasta, b.position() + b.length() - 1) - b.position();
        texto += b.text().mid(inicio, fin - inicio);
    }
    // Shift+Enter gives a line separator: a line break like Enter.
    return texto.replace(QChar::LineSeparator, u'\n');
}

QString MemoNota::Texto() const {
    return TextoEntre(0, document()->characterCount() - 1);
}

int MemoNota::PosicionDeIndice(qsizetype indice) const {
    qsizetype leidas = 0;
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) {
        if (b != document()->begin() && !EsContinuacion(b))
            ++leidas;
        if (indice < leidas + b.length() - 1)
            return b.position() + int(qMax<qsizetype>(0, indice - leidas));
        leidas += b.length() - 1;
    }
    return document()->characterCount() - 1;
}

QMimeData* MemoNota::createMimeDataFromSelection() const {
    const QTextCursor cursor = textCursor();
    auto* datos = new QMimeData;
    datos->setText(TextoEntre(cursor.selectionStart(), cursor.selectionEnd()));
    return datos;
}

bool MemoNota::canInsertFromMimeData(const QMimeData* source) const {
    return source->hasText();
}

void MemoNota::insertFromMimeData(const QMimeData* source) {
    if (isReadOnly() || !source->hasText())
        return;
    QString texto = source->text();
    texto.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    InsertarEnBloques(cursor, texto);
    cursor.endEditBlock();
    setTextCursor(cursor);
    ensureCursorVisible();
}

void MemoNota::keyPressEvent(QKeyEvent* event) {
    // Qt's Enter copies the block's format into the new block, continuation mark and all,
    // and the line break typed would then be lost.
    if (event->matches(QKeySequence::InsertParagraphSeparator) && !isReadOnly()) {
        QTextCursor cursor = textCursor();
        cursor.insertBlock(FormatoBloque(false));
        setTextCursor(cursor);
        ensureCursorVisible();
        event->accept();
        return;
    }
    // The edge between two blocks of a line is no letter: Backspace and Delete go over it to
    // the letter the user sees next to the cursor.
    QTextCursor cursor = textCursor();
    const bool atras = event->key() == Qt::Key_Backspace && event->modifiers() == Qt::NoModifier;
    const bool adelante = event->matches(QKeySequence::Delete);
    if (!isReadOnly() && !cursor.hasSelection() &&
        ((atras && cursor.atBlockStart() && EsContinuacion(cursor.block())) ||
         (adelante && cursor.atBlockEnd() && EsContinuacion(cursor.block().next())))) {
        cursor.beginEditBlock();
        if (atras) {
            cursor.deletePreviousChar();
            cursor.deletePreviousChar();
        } else {
            cursor.deleteChar();
            cursor.deleteChar();
        }
        cursor.endEditBlock();
        setTextCursor(cursor);
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}
