<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>HorizontalUserItem</name>
    <message>
        <source>User picture</source>
        <translation>Изображение пользователя</translation>
    </message>
    <message>
        <source>This user is logged in</source>
        <translation>Пользователь уже вошёл в систему</translation>
    </message>
    <message>
        <source>Logged in</source>
        <translation>Вход выполнен</translation>
    </message>
    <message>
        <source>This user has a running session</source>
        <translation>У пользователя есть открытый сеанс</translation>
    </message>
    <message>
        <source>User name</source>
        <translation>Имя пользователя</translation>
    </message>
    <message>
        <source>Host</source>
        <translation>Узел</translation>
    </message>
</context>
<context>
    <name>LoginAreaForm</name>
    <message>
        <source>Greeting</source>
        <translation>Приветствие</translation>
    </message>
    <message>
        <source>User picture</source>
        <translation>Изображение пользователя</translation>
    </message>
    <message>
        <source>User name</source>
        <translation>Имя пользователя</translation>
    </message>
    <message>
        <source>Host</source>
        <translation>Узел</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Пароль</translation>
    </message>
    <message>
        <source>Type the password and press Enter to log in</source>
        <translation>Введите пароль и нажмите Enter, чтобы войти</translation>
    </message>
    <message>
        <source>Log in</source>
        <translation>Войти</translation>
    </message>
    <message>
        <source>Log in as the chosen user</source>
        <translation>Войти от имени выбранного пользователя</translation>
    </message>
    <message>
        <source>⚠ Caps Lock is on</source>
        <translation>⚠ Включён Caps Lock</translation>
    </message>
    <message>
        <source>Caps Lock is on</source>
        <translation>Включён Caps Lock</translation>
    </message>
    <message>
        <source>Other user</source>
        <translation>Другой пользователь</translation>
    </message>
    <message>
        <source>Log in with a user name</source>
        <translation>Вход по имени пользователя</translation>
    </message>
    <message>
        <source>Type the name of the user who logs in</source>
        <translation>Введите имя пользователя для входа</translation>
    </message>
    <message>
        <source>Log in with the typed user name</source>
        <translation>Войти с введённым именем пользователя</translation>
    </message>
    <message>
        <source>Host to log in to</source>
        <translation>Узел, на который выполняется вход</translation>
    </message>
    <message>
        <source>Choose another user</source>
        <translation>Выбрать другого пользователя</translation>
    </message>
    <message>
        <source>Other users</source>
        <translation>Другие пользователи</translation>
    </message>
    <message>
        <source>Choose another user to log in</source>
        <translation>Выбрать другого пользователя для входа</translation>
    </message>
    <message>
        <source>Users</source>
        <translation>Пользователи</translation>
    </message>
    <message>
        <source>Click a user or choose one with the arrow keys and press Enter</source>
        <translation>Щёлкните пользователя или выберите его клавишами со стрелками и нажмите Enter</translation>
    </message>
    <message>
        <source>Choose a user</source>
        <translation>Выберите пользователя</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Поиск</translation>
    </message>
    <message>
        <source>Shows only the users whose name contains the typed text</source>
        <translation>Показывает только пользователей, в имени которых есть введённый текст</translation>
    </message>
    <message>
        <source>All users</source>
        <translation>Все пользователи</translation>
    </message>
    <message>
        <source>Click a user or choose one with the arrow keys and press Enter; swipe to turn pages</source>
        <translation>Щёлкните пользователя или выберите его клавишами со стрелками и нажмите Enter; проведите пальцем, чтобы перелистнуть страницу</translation>
    </message>
    <message>
        <source>Pages of users</source>
        <translation>Страницы списка пользователей</translation>
    </message>
    <message>
        <source>Click a dot to show that page of users</source>
        <translation>Щёлкните точку, чтобы открыть эту страницу списка</translation>
    </message>
</context>
<context>
    <name>VerticalUserItem</name>
    <message>
        <source>User picture</source>
        <translation>Изображение пользователя</translation>
    </message>
    <message>
        <source>This user is logged in</source>
        <translation>Пользователь уже вошёл в систему</translation>
    </message>
    <message>
        <source>Logged in</source>
        <translation>Вход выполнен</translation>
    </message>
    <message>
        <source>This user has a running session</source>
        <translation>У пользователя есть открытый сеанс</translation>
    </message>
    <message>
        <source>User name</source>
        <translation>Имя пользователя</translation>
    </message>
    <message>
        <source>Host</source>
        <translation>Узел</translation>
    </message>
</context>
</TS>
