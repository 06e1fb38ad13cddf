// Qt key events as virtual-key codes, modifier bits and key-down messages.
#include "platform/qt/qt_keys.h"

#include <QTest>

Q_DECLARE_METATYPE(Qt::KeyboardModifiers)

class QtKeysTest : public QObject {
    Q_OBJECT

private slots:
    void virtualKeys_data();
    void virtualKeys();
    void modifierBits();
};

void QtKeysTest::virtualKeys_data() {
    QTest::addColumn<int>("qtKey");
    QTest::addColumn<uint>("scanCode");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<bool>("xkb");
    QTest::addColumn<uint>("expected");

    const Qt::KeyboardModifiers none = Qt::NoModifier;
    // Letters: the same code whatever Shift, Caps Lock, Ctrl or Alt do to the character.
    QTest::newRow("a") << int(Qt::Key_A) << 38u << none << true << uint('A');
    QTest::newRow("Ctrl+c") << int(Qt::Key_C) << 54u << Qt::KeyboardModifiers(Qt::ControlModifier) << true
                            << uint('C');
    // Layouts, as X reports their keys: a Latin letter wins over the position; letters of
    // other scripts go by US position; punctuation is never a letter.
    QTest::newRow("US Z") << int(Qt::Key_Z) << 52u << none << true << uint('Z');
    QTest::newRow("US comma") << int(Qt::Key_Comma) << 59u << none << true << VK_OEM_COMMA;
    QTest::newRow("German Y, where US has Z") << int(Qt::Key_Y) << 52u << none << true << uint('Y');
    QTest::newRow("German o-umlaut") << int(Qt::Key_Odiaeresis) << 47u << none << true << VK_OEM_1;
    QTest::newRow("French A, where US has Q") << int(Qt::Key_A) << 24u << none << true << uint('A');
    QTest::newRow("French M, where US has ;") << int(Qt::Key_M) << 47u << none << true << uint('M');
    QTest::newRow("French comma, where US has M")
        << int(Qt::Key_Comma) << 58u << none << true << VK_OEM_COMMA;
    QTest::newRow("French Shift+comma")
        << int(Qt::Key_Question) << 58u << Qt::KeyboardModifiers(Qt::ShiftModifier) << true << 0u;
    QTest::newRow("French e-acute, where US has 2")
        << int(Qt::Key_Eacute) << 11u << none << true << uint('2');
    QTest::newRow("Russian ef") << 0x0424 << 38u << none << true << uint('A');
    QTest::newRow("Russian ya, where US has Z") << 0x042F << 52u << none << true << uint('Z');
    QTest::newRow("Russian yu, where US has .") << 0x042E << 60u << none << true << VK_OEM_PERIOD;
    QTest::newRow("Greek phi") << 0x03A6 << 41u << none << true << uint('F');
    QTest::newRow("non-Latin, no scan codes") << 0x0424 << 38u << none << false << 0u;
    // Digits and the shifted symbols on them.
    QTest::newRow("1") << int(Qt::Key_1) << 10u << none << true << uint('1');
    QTest::newRow("Shift+1 is !") << int(Qt::Key_Exclam) << 10u << Qt::KeyboardModifiers(Qt::ShiftModifier)
                                  << true << uint('1');
    QTest::newRow("keypad 7") << int(Qt::Key_7) << 79u << Qt::KeyboardModifiers(Qt::KeypadModifier) << true
                              << VK_NUMPAD0 + 7;
    QTest::newRow("keypad *") << int(Qt::Key_Asterisk) << 63u << Qt::KeyboardModifiers(Qt::KeypadModifier)
                              << true << VK_MULTIPLY;
    // Named keys.
    QTest::newRow("Esc") << int(Qt::Key_Escape) << 9u << none << true << VK_ESCAPE;
    QTest::newRow("Tab") << int(Qt::Key_Tab) << 23u << none << true << VK_TAB;
    QTest::newRow("Shift+Tab") << int(Qt::Key_Backtab) << 23u << Qt::KeyboardModifiers(Qt::ShiftModifier)
                               << true << VK_TAB;
    QTest::newRow("Down") << int(Qt::Key_Down) << 116u << none << true << VK_DOWN;
    QTest::newRow("F10") << int(Qt::Key_F10) << 76u << none << true << VK_F10;
    QTest::newRow("F24") << int(Qt::Key_F24) << 0u << none << false << VK_F24;
    QTest::newRow("F25 has no code") << int(Qt::Key_F25) << 0u << none << false << 0u;
    QTest::newRow("Alt") << int(Qt::Key_Alt) << 64u << Qt::KeyboardModifiers(Qt::AltModifier) << true
                         << VK_MENU;
    // Punctuation by US position, or by character without scan codes.
    QTest::newRow("comma without scan codes") << int(Qt::Key_Comma) << 0u << none << false << VK_OEM_COMMA;
    QTest::newRow("unknown") << int(Qt::Key_MediaPlay) << 172u << none << true << 0u;
}

void QtKeysTest::virtualKeys() {
    QFETCH(int, qtKey);
    QFETCH(uint, scanCode);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(bool, xkb);
    QFETCH(uint, expected);
    QCOMPARE(VirtualKeyFromQt(qtKey, scanCode, modifiers, xkb), expected);
}

void QtKeysTest::modifierBits() {
    QCOMPARE(ModifiersFromQt(Qt::NoModifier), DWORD{0});
    QCOMPARE(ModifiersFromQt(Qt::ShiftModifier), DWORD{MOD_SHIFT_DOWN});
    QCOMPARE(ModifiersFromQt(Qt::ControlModifier | Qt::AltModifier), DWORD{MOD_CONTROL_DOWN | MOD_ALT_DOWN});
    // Keypad and Meta say nothing to the layer.
    QCOMPARE(ModifiersFromQt(Qt::KeypadModifier | Qt::MetaModifier), DWORD{0});
}

QTEST_GUILESS_MAIN(QtKeysTest)
#include "qt_keys_test.moc"
