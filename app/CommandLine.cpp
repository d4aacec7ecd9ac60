#include "CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>

CommandLineResult ParseCommandLine(const QStringList& arguments)
{
    QStringList args;
    for (const QString& a : arguments) {
        if (a == QLatin1String("/p"))
            args << QStringLiteral("--print");
        else if (a == QLatin1String("/pt"))
            args << QStringLiteral("--print-to");
        else
            args << a;
    }

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Angular calibration of a rotary grating: separates eccentricity, "
                                                    "part, spindle and angle errors and writes the compensation file."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption print(QStringList{QStringLiteral("print")},
                                   QStringLiteral("Print the document FILE on the default printer and exit (also /p)."),
                                   QStringLiteral("FILE"));
    const QCommandLineOption printTo(QStringList{QStringLiteral("print-to")},
                                     QStringLiteral("Print the document FILE on PRINTER (the next argument) and exit "
                                                    "(also /pt FILE PRINTER)."),
                                     QStringLiteral("FILE"));
    parser.addOption(print);
    parser.addOption(printTo);
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("A document (.qvl) to open."), QStringLiteral("[file]"));

    CommandLineResult result;
    if (!parser.parse(args)) {
        result.exitNow = true;
        result.exitCode = 2;
        result.output = parser.errorText() + QLatin1Char('\n');
        return result;
    }
    if (parser.isSet(help)) {
        result.exitNow = true;
        result.output = parser.helpText();
        return result;
    }
    if (parser.isSet(version)) {
        result.exitNow = true;
        result.output = QCoreApplication::applicationName() + QLatin1Char(' ') +
                        QCoreApplication::applicationVersion() + QLatin1Char('\n');
        return result;
    }
    const QStringList positional = parser.positionalArguments();
    auto usage = [&](const QString& why) {
        result.exitNow = true;
        result.exitCode = 2;
        result.output = why + QLatin1Char('\n');
        return result;
    };
    if (parser.isSet(printTo)) {
        if (positional.size() != 1)
            return usage(QStringLiteral("--print-to needs a document and a printer name"));
        result.start = {StartCommand::PrintTo, parser.value(printTo), positional.front()};
    } else if (parser.isSet(print)) {
        if (!positional.isEmpty())
            return usage(QStringLiteral("--print takes one document"));
        result.start = {StartCommand::Print, parser.value(print), QString()};
    } else if (positional.size() == 1) {
        result.start = {StartCommand::Open, positional.front(), QString()};
    } else if (positional.size() > 1) {
        return usage(QStringLiteral("Only one document can be opened"));
    }
    return result;
}
