// The layout check: what is switched at start, what is given back at exit,
// and the warning when the German layout cannot be made current.
#include "keyboard/KeyboardLayout.h"
#include "keyboard/XkbLayoutBackend.h"
#include "platform/Seams.h"

#include <QApplication>
#include <QTest>

using namespace tastolino;

namespace {

// A keyboard whose layouts can be refused, recording every activation.
struct FakeKeyboard {
    QString active;
    QStringList available;
    QStringList activations;
};

class FakeBackend : public LayoutBackend {
  public:
    explicit FakeBackend(FakeKeyboard* kb) : kb_(kb) {}
    QString activeLayoutId() override { return kb_->active; }
    void activateLayout(const QString& id) override {
        kb_->activations << id;
        if (kb_->available.contains(id)) kb_->active = id;
    }

  private:
    FakeKeyboard* kb_;
};

}  // namespace

class TestKeyboardLayout : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void cleanup();
    void germanAlreadyActive();
    void otherLayoutSwitchedAndGivenBack();
    void refusedLayoutIsUndoneAndWarned();
    void withoutDisplayTheCheckFailsOnce();
    void layoutNames();

  private:
    FakeKeyboard kb_;
    QList<seams::MessageRequest> messages_;
};

void TestKeyboardLayout::init() {
    seams::resetAll();
    messages_.clear();
    seams::setMessageHook([this](const seams::MessageRequest& r) {
        messages_ << r;
        return seams::MsgAnswer::Ok;
    });
    kb_ = FakeKeyboard{};
    setLayoutBackend(std::make_unique<FakeBackend>(&kb_));
}

void TestKeyboardLayout::cleanup() {
    seams::resetAll();
}

void TestKeyboardLayout::germanAlreadyActive() {
    kb_.active = kGermanLayoutId;
    kb_.available = {kGermanLayoutId, QStringLiteral("00000409")};
    QVERIFY(CheckGermanLayout(nullptr));
    QVERIFY(kb_.activations.isEmpty());
    QVERIFY(LayoutToRestore().isEmpty());
    RestoreKeyboardLayout();
    QVERIFY(kb_.activations.isEmpty());
    QVERIFY(messages_.isEmpty());
}

void TestKeyboardLayout::otherLayoutSwitchedAndGivenBack() {
    kb_.active = QStringLiteral("00000409");
    kb_.available = {kGermanLayoutId, QStringLiteral("00000409")};
    QVERIFY(CheckGermanLayout(nullptr));
    QCOMPARE(kb_.active, kGermanLayoutId);
    QCOMPARE(LayoutToRestore(), QStringLiteral("00000409"));
    RestoreKeyboardLayout();
    QCOMPARE(kb_.active, QStringLiteral("00000409"));
    QVERIFY(LayoutToRestore().isEmpty());
    QCOMPARE(kb_.activations, (QStringList{kGermanLayoutId, QStringLiteral("00000409")}));
    RestoreKeyboardLayout();  // once only
    QCOMPARE(kb_.activations.size(), 2);
    QVERIFY(messages_.isEmpty());
}

void TestKeyboardLayout::refusedLayoutIsUndoneAndWarned() {
    kb_.active = QStringLiteral("0000040C");
    kb_.available = {QStringLiteral("0000040C")};
    LayoutWarningTexts texts;
    texts.title = QStringLiteral("Achtung");
    QVERIFY(!CheckGermanLayout(nullptr, texts));
    QCOMPARE(kb_.activations, (QStringList{kGermanLayoutId, QStringLiteral("0000040C")}));
    QVERIFY(LayoutToRestore().isEmpty());
    QCOMPARE(messages_.size(), 1);
    QCOMPARE(messages_[0].title, QStringLiteral("Achtung"));
    QCOMPARE(messages_[0].icon, seams::MsgIcon::Critical);
    QCOMPARE(messages_[0].text,
             QStringLiteral("La tastiera in uso non è impostata per la lingua tedesca\n"
                            "Il programma, quindi, potrebbe non funzionare correttamente.\n"
                            "Controllate le impostazioni della lingua nella guida in linea"));

    // A failed switch without remembering re-activates the layout that was
    // active, not the remembered one, and then forgets the memory.
    kb_.active = QStringLiteral("00000409");
    kb_.available = {kGermanLayoutId};
    QVERIFY(EnsureKeyboardLayout(kGermanLayoutId, true));
    QCOMPARE(LayoutToRestore(), QStringLiteral("00000409"));
    kb_.active = QStringLiteral("0000040C");
    kb_.available = {QStringLiteral("0000040C")};
    kb_.activations.clear();
    QVERIFY(!EnsureKeyboardLayout(QStringLiteral("00000410"), false));
    QCOMPARE(kb_.activations,
             (QStringList{QStringLiteral("00000410"), QStringLiteral("0000040C")}));
    QVERIFY(LayoutToRestore().isEmpty());
}

void TestKeyboardLayout::withoutDisplayTheCheckFailsOnce() {
    setLayoutBackend(nullptr);  // the real XKB one: no X display offscreen
    QVERIFY(!CheckGermanLayout(nullptr));
    QCOMPARE(messages_.size(), 1);
    QCOMPARE(messages_[0].title, QStringLiteral("Attenzione!"));
    QVERIFY(LayoutToRestore().isEmpty());
    RestoreKeyboardLayout();
    QCOMPARE(messages_.size(), 1);
}

void TestKeyboardLayout::layoutNames() {
    const QList<std::pair<QString, QString>> pairs = {{"de", "00000407"},
                                                      {"us", "00000409"},
                                                      {"it", "00000410"},
                                                      {"fr", "0000040C"},
                                                      {"ch", "00000807"}};
    for (const auto& [xkb, id] : pairs) {
        QCOMPARE(windowsLayoutIdForXkb(xkb), id);
        QCOMPARE(xkbLayoutForWindowsId(id), xkb);
    }
    QCOMPARE(xkbLayoutForWindowsId(QStringLiteral("0000040c")), QStringLiteral("fr"));
    // A layout without an identifier can still be handed back.
    QCOMPARE(windowsLayoutIdForXkb(QStringLiteral("epo")), QStringLiteral("xkb:epo"));
    QCOMPARE(xkbLayoutForWindowsId(QStringLiteral("xkb:epo")), QStringLiteral("epo"));
    QVERIFY(windowsLayoutIdForXkb(QString()).isEmpty());
    QVERIFY(xkbLayoutForWindowsId(QStringLiteral("12345678")).isEmpty());
    // Only the plain German layout is "00000407": a variant types other
    // characters and has other dead keys, so it is a layout of its own,
    // handed back with its variant.
    QCOMPARE(windowsLayoutIdForXkb(QStringLiteral("de"), QString()), QStringLiteral("00000407"));
    for (const char* variant : {"neo", "dvorak", "nodeadkeys", "deadacute"}) {
        const QString id = windowsLayoutIdForXkb(QStringLiteral("de"), QLatin1String(variant));
        QVERIFY(id != kGermanLayoutId);
        QCOMPARE(id, QStringLiteral("xkb:de(%1)").arg(QLatin1String(variant)));
        QCOMPARE(xkbLayoutForWindowsId(id), QStringLiteral("de(%1)").arg(QLatin1String(variant)));
    }
    QCOMPARE(windowsLayoutIdForXkb(QStringLiteral("us"), QStringLiteral("intl")),
             QStringLiteral("xkb:us(intl)"));
}

QTEST_MAIN(TestKeyboardLayout)
#include "tst_keyboardlayout.moc"
