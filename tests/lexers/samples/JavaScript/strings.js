var a = "Helo wrold";
var b = 'it\'s Helo';
var path = "C:\\temp\\"; // the string runs on, Helo
var c = """triple Helo""";
var d = "unterminated Helo
var e = 'single quotes, wrold';
