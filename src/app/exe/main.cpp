#include "database.h"
#include "loginlogic.h"
#include "programfolder.h"
#include "schema.h"
#include "session.h"
#include "settings.h"
#include "main_frm.h"
#include "qtprompter.h"
#include "userlogin_frm.h"
#include "windowregistry.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QLibraryInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>
#include <QTranslator>

#include <cstdio>
#include <memory>

using namespace mzt;

namespace {

const QString kInstanceName = QStringLiteral("铭泽通");

void loadTranslations(QApplication& app)
{
    auto* qt = new QTranslator(&app);
    if (qt->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(qt);
}

// A second copy finds the first one listening and asks it to come to the front.
bool anotherCopyRuns()
{
    QLocalSocket socket;
    socket.connectToServer(kInstanceName);
    if (!socket.waitForConnected(500))
        return false;
    socket.write("raise");
    socket.waitForBytesWritten(500);
    socket.disconnectFromServer();
    return true;
}

void applyConnectionOptions(const QCommandLineParser& p, ConnectionSettings& c)
{
    if (p.isSet(QStringLiteral("driver")))
        c.driver = p.value(QStringLiteral("driver")).toLower();
    if (p.isSet(QStringLiteral("host")))
        c.host = p.value(QStringLiteral("host"));
    if (p.isSet(QStringLiteral("port")))
        c.port = p.value(QStringLiteral("port")).toInt();
    if (p.isSet(QStringLiteral("dbname")))
        c.name = p.value(QStringLiteral("dbname"));
    if (p.isSet(QStringLiteral("user")))
        c.user = p.value(QStringLiteral("user"));
    if (p.isSet(QStringLiteral("password")))
        c.password = p.value(QStringLiteral("password"));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("mingzetong"));
    QApplication::setApplicationDisplayName(QStringLiteral("铭泽通"));
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    loadTranslations(app);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("铭泽通进销存财务一体化"));
    parser.addHelpOption();
    parser.addOptions({
        {QStringLiteral("folder"), QStringLiteral("程序文件夹 (默认 ~/.local/share/mingzetong, 或环境变量 MZT_HOME)"),
         QStringLiteral("dir")},
        {QStringLiteral("driver"), QStringLiteral("数据库: sqlite 或 postgresql"), QStringLiteral("driver")},
        {QStringLiteral("host"), QStringLiteral("PostgreSQL 服务器"), QStringLiteral("host")},
        {QStringLiteral("port"), QStringLiteral("PostgreSQL 端口"), QStringLiteral("port")},
        {QStringLiteral("dbname"), QStringLiteral("数据库名 (默认 zcxslj)"), QStringLiteral("name")},
        {QStringLiteral("user"), QStringLiteral("数据库用户 (默认 qrvotn)"), QStringLiteral("user")},
        {QStringLiteral("password"), QStringLiteral("数据库密码"), QStringLiteral("password")},
        {QStringLiteral("save-connection"), QStringLiteral("把以上连接设置写入 bdchange.ini 的 [database] 节")},
        {QStringLiteral("init-schema"), QStringLiteral("创建或升级所配置数据库的表结构, 然后退出")},
    });
    parser.process(app);

    const QString folder = ProgramFolder::resolve(parser.value(QStringLiteral("folder")));
    const QString prepareError = ProgramFolder::prepare(folder);
    if (!prepareError.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(prepareError));
        QMessageBox::critical(nullptr, QStringLiteral("操作提示"), prepareError);
        return 1;
    }
    BdChangeSettings settings(folder);
    ConnectionSettings connection = settings.connection();
    applyConnectionOptions(parser, connection);
    if (parser.isSet(QStringLiteral("save-connection"))) {
        settings.setConnection(connection);
        settings.save();
    }

    if (parser.isSet(QStringLiteral("init-schema"))) {
        try {
            Database db(connection);
            const int before = SchemaInstaller::currentVersion(db);
            const int after = SchemaInstaller::install(db);
            std::printf("schema version %d -> %d\n", before, after);
            return 0;
        } catch (const DbError& e) {
            std::fprintf(stderr, "%s\n", qPrintable(e.message()));
            return 1;
        }
    }

    // One copy per machine.
    if (anotherCopyRuns()) {
        QMessageBox::warning(nullptr, QStringLiteral("铭泽通"), QStringLiteral("警告！！！Windows系统检测到铭泽通已经运行!"));
        return 0;
    }
    QLocalServer::removeServer(kInstanceName);
    QLocalServer instance;
    instance.listen(kInstanceName);

    QtPrompter prompter;
    std::unique_ptr<Database> db;
    try {
        db = std::make_unique<Database>(connection);
        SchemaInstaller::install(*db);
    } catch (const DbError& e) {
        prompter.error(e.message());
        return 1;
    }

    LoginContext login;
    Session session{*db, prompter, login, settings, folder};
    registerAllWindows();

    Tfrm_main mainWindow(session);
    QObject::connect(&instance, &QLocalServer::newConnection, &mainWindow, [&] {
        while (QLocalSocket* s = instance.nextPendingConnection())
            s->deleteLater();
        if (mainWindow.isMinimized())
            mainWindow.showMaximized();
        mainWindow.raise();
        mainWindow.activateWindow();
    });
    prompter.message(GreetingText());

    login.LockState = QStringLiteral("OK");
    login.ComputerName = QStringLiteral("本地计算机");
    {
        TFrmUserLogin dialog(session);
        dialog.prepare(qEnvironmentVariableIsSet("MZT_NO_SPLASH") ? 0 : 1500);
        if (dialog.exec() != QDialog::Accepted || !login.loggedIn)
            return 0;
    }
    if (IsPosOnlyUser(session)) {
        // Such a user gets the POS window only; the program ends when it closes.
        FunctionEntry pos;
        for (const FunctionEntry& f : functionTable())
            if (f.window == Action::PosStart)
                pos = f;
        if (Tfrm_main::isAvailable(pos))
            mainWindow.run(pos);
        else
            prompter.warn(noRightText());
        return 0;
    }
    mainWindow.applyAdministratorVisibility();
    mainWindow.showLoggedIn();
    if (OpensSettingsAtStart(session)) {
        for (const FunctionEntry& f : functionTable())
            if (f.window == QStringLiteral("Tfrm_jczlsz") && f.setupPage == 6 && Tfrm_main::isAvailable(f))
                mainWindow.run(f);
    }
    // Without a window manager a maximised window keeps its size: fill the screen first.
    if (QScreen* screen = QGuiApplication::primaryScreen())
        mainWindow.setGeometry(screen->availableGeometry());
    mainWindow.showMaximized();
    return app.exec();
}
