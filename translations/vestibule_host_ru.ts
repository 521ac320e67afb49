<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>FallbackLoginForm</name>
    <message>
        <source>Log in</source>
        <translation>Вход</translation>
    </message>
    <message>
        <source>Log in to %1</source>
        <translation>Вход в %1</translation>
    </message>
    <message>
        <source>User name</source>
        <translation>Имя пользователя</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Пароль</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Сообщение</translation>
    </message>
    <message>
        <source>User name:</source>
        <translation>Имя пользователя:</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Пароль:</translation>
    </message>
    <message>
        <source>Starting the session…</source>
        <translation>Запуск сеанса…</translation>
    </message>
    <message>
        <source>Logging in is not possible: the greeter has no authentication.</source>
        <translation>Вход невозможен: экран входа не подключён к аутентификации.</translation>
    </message>
    <message>
        <source>Login failed. Check the user name and the password.</source>
        <translation>Вход не выполнен. Проверьте имя пользователя и пароль.</translation>
    </message>
    <message>
        <source>Password expired</source>
        <translation>Срок действия пароля истёк</translation>
    </message>
    <message>
        <source>The password has expired. New password:</source>
        <translation>Срок действия пароля истёк. Новый пароль:</translation>
    </message>
    <message>
        <source>Repeat the new password:</source>
        <translation>Повторите новый пароль:</translation>
    </message>
</context>
<context>
    <name>GreeterHost</name>
    <message>
        <source>Error</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Предупреждение</translation>
    </message>
</context>
<context>
    <name>LightDmBackend</name>
    <message>
        <source>The display manager cannot be reached.</source>
        <translation>Нет связи с диспетчером дисплеев.</translation>
    </message>
    <message>
        <source>The user name is too long.</source>
        <translation>Слишком длинное имя пользователя.</translation>
    </message>
    <message>
        <source>The answer is too long: at most %1 bytes can be sent. Please start again.</source>
        <translation>Слишком длинный ответ: можно передать не более %1 байт. Начните вход заново.</translation>
    </message>
    <message>
        <source>The session &quot;%1&quot; could not be started.</source>
        <translation>Не удалось запустить сеанс «%1».</translation>
    </message>
</context>
<context>
    <name>LogindSeat</name>
    <message>
        <source>terminal %1</source>
        <translation>терминал %1</translation>
    </message>
    <message>
        <source>display %1, terminal %2</source>
        <translation>дисплей %1, терминал %2</translation>
    </message>
</context>
</TS>
